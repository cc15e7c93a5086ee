// Items bound to widgets: what reaches the owning dialog, and when.
#include <cmath>

#include "adm/AdmFixture.h"
#include "adm/KADMDisclosureTriangle.h"
#include "adm/KADMPictureButton.h"
#include "adm/KADMPopup.h"
#include "adm/KADMSpin.h"
#include "adm/KADMTextEditField.h"

namespace tavrix::test {
namespace {

using host::DrawOperation;
using host::SpinArrow;

constexpr int32_t kCheckBox = 41;
constexpr int32_t kLabel = 42;
constexpr int32_t kSpin = 4;
constexpr int32_t kField = 6;
constexpr int32_t kTriangle = 45;

// Counts every widget deleted, to see each go exactly once.
int widgetsDeleted = 0;
class CountedWidget : public KADMWidget {
 public:
  using KADMWidget::KADMWidget;
  ~CountedWidget() override { ++widgetsDeleted; }
};

struct Widgets {
  KADMWidget* checkBox = nullptr;
  KADMSpin* spin = nullptr;
  KADMTextEditField* field = nullptr;
  KADMDisclosureTriangle* triangle = nullptr;
  KADMPopup* flyout = nullptr;
};

class WidgetTest : public AdmTest {
 protected:
  void SetUp() override {
    AdmTest::SetUp();
    object = OpenDialog([this](RecordingDialog& d) {
      w.checkBox = new KADMWidget(d.GetItem(kCheckBox), &d);
      w.spin = new KADMSpin(d.GetItem(kSpin), &d);
      w.field = new KADMTextEditField(d.GetItem(kField), &d);
      w.triangle = new KADMDisclosureTriangle(d.GetItem(kTriangle), &d);
      w.flyout = new KADMPopup(d.GetItem(kADMFlyoutMenuItemID), &d, 700);
      w.spin->ShowArrowsOnly();
    });
    ShowDialog(*object);
  }

  RecordingDialog* object = nullptr;
  Widgets w;
};

TEST_F(WidgetTest, ACheckBoxReportsOnceAfterItsValueChanged) {
  bool valueSeen = false;
  object->onChange = [&](int32_t) { valueSeen = ADMItem().GetBooleanValue(w.checkBox->item); };
  user.Click(HostItem(*object, kCheckBox));
  EXPECT_EQ(object->changes, std::vector<int32_t>{kCheckBox});
  EXPECT_TRUE(valueSeen);
}

TEST_F(WidgetTest, IntermediateChangesReachOnlySpins) {
  ADMItem().SetSmallIncrement(w.spin->item, 2.0f);
  user.ClickSpin(HostItem(*object, kSpin), SpinArrow::Up, 3);
  // Three intermediate steps and the final change, each with a non-zero value.
  EXPECT_EQ(object->changes, std::vector<int32_t>(4, kSpin));

  object->changes.clear();
  host.dialogs().NotifyItem(HostItem(*object, kField), kADMIntermediateChangedNotifier);
  host.dialogs().NotifyItem(HostItem(*object, kTriangle), kADMIntermediateChangedNotifier);
  host.dialogs().NotifyItem(HostItem(*object, kCheckBox), kADMIntermediateChangedNotifier);
  EXPECT_TRUE(object->changes.empty());

  w.checkBox->reportIntermediate = true;
  host.dialogs().NotifyItem(HostItem(*object, kCheckBox), kADMIntermediateChangedNotifier);
  EXPECT_EQ(object->changes, std::vector<int32_t>{kCheckBox});
}

TEST_F(WidgetTest, ASpinForwardsNonZeroStepsOnly) {
  float step = 0.0f;
  object->onChange = [&](int32_t) {
    step = ADMItem().GetFloatValue(w.spin->item);
    ADMItem().SetFloatValue(w.spin->item, 0.0f);  // as the palette does after applying it
  };
  host.dialogs().NotifyItem(HostItem(*object, kSpin), kADMUserChangedNotifier);  // value 0
  EXPECT_TRUE(object->changes.empty());
  ADMItem().SetSmallIncrement(w.spin->item, 5.0f);
  user.ClickSpin(HostItem(*object, kSpin), SpinArrow::Down);
  EXPECT_EQ(object->changes, std::vector<int32_t>{kSpin});
  EXPECT_EQ(step, -5.0f);
  ADMItem().SetFloatValue(w.spin->item, std::nanf(""));
  host.dialogs().NotifyItem(HostItem(*object, kSpin), kADMUserChangedNotifier);
  EXPECT_EQ(object->changes.size(), 1u);
}

TEST_F(WidgetTest, ASpinShowsOnlyItsArrows) {
  host::HostItem& spin = HostItem(*object, kSpin);
  EXPECT_TRUE(spin.visible);
  ASSERT_TRUE(spin.textPart);
  EXPECT_FALSE(spin.textPart->visible);
}

TEST_F(WidgetTest, ACommandClickIsReportedThenHandledAsAClick) {
  user.CommandClick(HostItem(*object, kField));
  EXPECT_EQ(object->commandClicks, std::vector<int32_t>{kField});
  EXPECT_TRUE(object->changes.empty());
  user.Click(HostItem(*object, kField));
  EXPECT_EQ(object->commandClicks.size(), 1u);
}

TEST_F(WidgetTest, AnEditFieldReportsCommittedTextInItsUnits) {
  ADMItem().SetUnits(w.field->item, kADMMillimeterUnits);
  ADMItem().SetPrecision(w.field->item, 2);
  EXPECT_TRUE(user.TypeText(HostItem(*object, kField), "10mm + 2"));
  EXPECT_EQ(object->changes, std::vector<int32_t>{kField});
  EXPECT_NEAR(ADMItem().GetFloatValue(w.field->item), 12.0 * 72 / 25.4, 1e-3);
  EXPECT_EQ(HostItem(*object, kField).text, "12.00 mm");

  EXPECT_FALSE(user.TypeText(HostItem(*object, kField), "twelve"));
  EXPECT_EQ(HostItem(*object, kField).text, "12.00 mm");  // snapped back
  EXPECT_EQ(object->changes.size(), 1u);
}

TEST_F(WidgetTest, ATypedValueIsClampedToTheFieldsLimits) {
  ADMItem().SetUnits(w.field->item, kADMPointUnits);
  ADMItem().SetMinFloatValue(w.field->item, 0.0f);
  ADMItem().SetMaxFloatValue(w.field->item, 100.0f);
  user.TypeText(HostItem(*object, kField), "-40");
  EXPECT_EQ(ADMItem().GetFloatValue(w.field->item), 0.0f);
  user.TypeText(HostItem(*object, kField), "1 in * 2");
  EXPECT_EQ(ADMItem().GetFloatValue(w.field->item), 100.0f);
}

TEST_F(WidgetTest, TheTriangleTellsItsOwnerBeforeFlippingThenPointsDown) {
  bool collapsedWhenTold = false;
  object->onChange = [&](int32_t) { collapsedWhenTold = w.triangle->collapsed; };
  ASSERT_TRUE(w.triangle->collapsed);
  user.Click(HostItem(*object, kTriangle));
  EXPECT_TRUE(collapsedWhenTold);
  EXPECT_FALSE(w.triangle->collapsed);

  const host::HostItem& item = HostItem(*object, kTriangle);
  ASSERT_EQ(item.lastDrawing.size(), 3u);  // the default, the background, the triangle
  EXPECT_EQ(item.lastDrawing[1].kind, DrawOperation::Kind::FillRect);
  EXPECT_EQ(item.lastDrawing[1].color, kADMBackgroundColor);
  const DrawOperation& shape = item.lastDrawing[2];
  EXPECT_EQ(shape.kind, DrawOperation::Kind::FillPolygon);
  EXPECT_EQ(shape.color, kADMBlackColor);
  const int32_t l = item.bounds.left;
  const int32_t t = item.bounds.top;
  const std::vector<std::pair<int32_t, int32_t>> down = {
      {l + 2, t + 2}, {l + 12, t + 2}, {l + 7, t + 12}, {l + 2, t + 2}};
  ASSERT_EQ(shape.points.size(), 4u);
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(shape.points[i].h, down[i].first);
    EXPECT_EQ(shape.points[i].v, down[i].second);
  }
}

TEST_F(WidgetTest, AHiddenTriangleDrawsNothingOfItsOwn) {
  ADMItem().Show(w.triangle->item, false);
  host.dialogs().DrawItem(HostItem(*object, kTriangle));
  const auto& drawing = HostItem(*object, kTriangle).lastDrawing;
  ASSERT_EQ(drawing.size(), 1u);
  EXPECT_EQ(drawing[0].kind, DrawOperation::Kind::Default);
}

TEST_F(WidgetTest, TheFlyoutAnswersTheChosenMenuNumber) {
  user.ChooseFlyoutEntry(HostSide(*object), 1);
  EXPECT_EQ(w.flyout->SelectedNumber(), 1);
  user.ChooseFlyoutEntry(HostSide(*object), 12);
  EXPECT_EQ(w.flyout->SelectedNumber(), 12);
  EXPECT_EQ(object->changes, (std::vector<int32_t>{kADMFlyoutMenuItemID, kADMFlyoutMenuItemID}));
}

TEST_F(WidgetTest, FlyoutEntriesAreCheckedAndDisabledByMenuNumber) {
  w.flyout->EnableEntry(3, false);
  w.flyout->CheckEntry(5, true);
  const host::HostList& list = *HostSide(*object).flyout->list;
  ASSERT_EQ(list.entries.size(), 12u);
  EXPECT_EQ(list.entries[2].text, "(In/Out mode)");
  EXPECT_FALSE(list.entries[2].enabled);
  EXPECT_TRUE(list.entries[4].checked);
  EXPECT_THROW(user.ChooseFlyoutEntry(HostSide(*object), 3), std::invalid_argument);
  EXPECT_TRUE(object->changes.empty());
}

TEST_F(WidgetTest, OtherNotificationsProduceNoChange) {
  host.dialogs().NotifyItem(HostItem(*object, kCheckBox), kADMShowWindowNotifier);
  host.dialogs().NotifyItem(HostItem(*object, kField), kADMCollapseNotifier);
  EXPECT_TRUE(object->changes.empty());
}

TEST_F(WidgetTest, APictureButtonReportsClicks) {
  auto* button = new KADMPictureButton(object->GetItem(27), object);
  user.Click(HostItem(*object, 27));
  EXPECT_EQ(object->changes, std::vector<int32_t>{27});
  (void)button;
}

TEST_F(AdmTest, DestroyingTheDialogDeletesEveryWidgetOnce) {
  widgetsDeleted = 0;
  int made = 0;
  RecordingDialog* object = OpenDialog([&made](RecordingDialog& d) {
    for (int32_t id = 1; id <= 46; ++id) {
      new CountedWidget(d.GetItem(id), &d);
      ++made;
    }
  });
  host.dialogs().DestroyDialog(HostSide(*object));
  EXPECT_EQ(widgetsDeleted, made);
}

TEST_F(AdmTest, AWidgetDeletedAfterTheItemSuiteWentMakesNoCall) {
  KADMWidget* widget = nullptr;
  RecordingDialog* object =
      OpenDialog([&widget](RecordingDialog& d) { widget = new KADMWidget(d.GetItem(kLabel), &d); });
  host::HostItem& item = HostItem(*object, kLabel);
  const void* saved = sADMItem;
  sADMItem = nullptr;
  const int64_t calls = host.dialogs().calls();
  delete widget;
  EXPECT_EQ(host.dialogs().calls(), calls);
  EXPECT_FALSE(item.destroyed);
  sADMItem = saved;
  item.userData = nullptr;  // the widget is gone; the dialog's end must not find it
}

TEST_F(AdmTest, AnUnboundWidgetReceivesNothing) {
  RecordingDialog* object = OpenDialog();
  const int64_t calls = host.dialogs().calls();
  KADMWidget unbound(nullptr, object);
  EXPECT_EQ(unbound.item, nullptr);
  EXPECT_EQ(host.dialogs().calls(), calls);
}

}  // namespace
}  // namespace tavrix::test
