// Edits that meet a failing host, refused or overflowing numbers, and the keyboard: the palette
// never writes what the artwork cannot hold and always ends showing the artwork as it is.
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>

#include "host/Host.h"
#include "host/dialog/DialogUser.h"
#include "palette/PaletteItems.h"
#include "support/PluginBytes.h"

namespace tavrix::host {
namespace {

constexpr ASErr kInjected = FourCharCode('F', 'A', 'I', 'L');
constexpr int kPointXSpin = 4;
constexpr int kPointXField = 6;
constexpr int kPointYSpin = 7;
constexpr int kPointYField = 5;
constexpr int kPointIndexSpin = 8;
constexpr int kInOutTriangle = 11;
constexpr int kInXField = 16;
constexpr int kPointIndexField = 38;

class PaletteEditing : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(plugin.Start(), kNoErr);
    Document& document = host.NewDocument(kAIPointRulerUnits);
    document.AddPath(
        {PathSegment{{0, 0}, {0, 0}, {0, 0}, 0}, PathSegment{{100, 0}, {90, 0}, {110, 0}, 0},
         PathSegment{{200, 0}, {200, 0}, {200, 0}, 0}},
        false);
    host.DeliverNotifications();
    ASSERT_EQ(plugin.ChooseMenuItem(host.registrations().MenuItemNamed("Tavrix")->handle), kNoErr);
    palette = host.dialogs().DialogNamed(kPaletteDialogName);
    ASSERT_NE(palette, nullptr);
    user.Click(Item(kInOutTriangle));
    document.SelectAnchor(0, 1);
    host.DeliverNotifications();
    ASSERT_EQ(Item(kPointXField).text, "100.000 pt");
  }
  HostItem& Item(int id) {
    HostItem* item = host.dialogs().ItemWithId(*palette, id);
    // A missing item fails the test that asked for it, not the whole program.
    if (item == nullptr) throw std::runtime_error("the palette has no item " + std::to_string(id));
    return *item;
  }
  const PathSegment& Anchor(size_t i) { return host.document()->PathAt(0).segments[i]; }

  Host host;
  HostedPlugin& plugin = host.LoadPlugin(test::PluginPath());
  DialogUser user{host.dialogs()};
  HostDialog* palette = nullptr;
};

TEST_F(PaletteEditing, AFailedWriteOfATypedValueShowsOneAlertAndTheArtworkAsItIs) {
  host.faults().FailOnce("AIPath.SetPathSegments", kInjected);
  ASSERT_TRUE(user.TypeText(Item(kPointXField), "150"));
  EXPECT_EQ(host.alerts().ErrorCount(), 1u);
  EXPECT_EQ(Anchor(1).p.h, 100.0f);
  EXPECT_EQ(Item(kPointXField).text, "100.000 pt");
  EXPECT_EQ(host.UndoText(), "");
  // The next edit starts from the artwork, not from the value that was never written.
  user.ClickSpin(Item(kPointXSpin), SpinArrow::Up);
  EXPECT_EQ(Anchor(1).p.h, 101.0f);
}

TEST_F(PaletteEditing, AFailedUndoNamingKeepsTheWriteButLeavesTheArrowAtRest) {
  host.faults().FailOnce("AIUndo.SetUndoText", kInjected);
  user.ClickSpin(Item(kPointXSpin), SpinArrow::Up);
  EXPECT_EQ(host.alerts().ErrorCount(), 1u);
  EXPECT_EQ(Item(kPointXSpin).floatValue, 0.0f);
  EXPECT_EQ(Anchor(1).p.h, 101.0f);
  EXPECT_EQ(Item(kPointXField).text, "101.000 pt");
  // One step more, not two.
  user.ClickSpin(Item(kPointXSpin), SpinArrow::Up);
  EXPECT_EQ(Anchor(1).p.h, 102.0f);
}

TEST_F(PaletteEditing, AFailedSelectionChangeOfThePointArrowLeavesItAtRest) {
  host.faults().FailOnce("AIPath.SetPathSegmentSelected", kInjected);
  user.ClickSpin(Item(kPointIndexSpin), SpinArrow::Up);
  EXPECT_EQ(host.alerts().ErrorCount(), 1u);
  EXPECT_EQ(Item(kPointIndexSpin).floatValue, 0.0f);
  user.ClickSpin(Item(kPointIndexSpin), SpinArrow::Up);
  EXPECT_EQ(Item(kPointIndexField).text, "2");
  EXPECT_EQ(host.document()->PathAt(0).selection, (std::vector<int16_t>{0, 0, 1}));
}

TEST_F(PaletteEditing, WhenTheArtworkCannotEvenBeReadThePaletteShowsNoPoint) {
  host.faults().FailOnce("AIPath.SetPathSegments", kInjected);
  host.faults().FailOnce("AIPath.GetPathSegments", kInjected);
  user.TypeText(Item(kPointXField), "150");
  EXPECT_EQ(host.alerts().ErrorCount(), 1u);
  EXPECT_EQ(Item(kPointXField).text, "");
  EXPECT_FALSE(Item(kPointXField).enabled);
  EXPECT_EQ(Anchor(1).p.h, 100.0f);
}

TEST_F(PaletteEditing, AStepWhoseHandleWouldOverflowWritesNothing) {
  // A handle so far from its anchor that its offset is no finite float.
  host.document()->AddPath({PathSegment{{-3e38f, 0}, {3e38f, 0}, {-3e38f, 0}, 0}}, false);
  host.document()->SelectAnchor(1, 0);
  host.DeliverNotifications();
  user.ClickSpin(Item(kPointYSpin), SpinArrow::Up);
  const PathSegment& kept = host.document()->PathAt(1).segments[0];
  EXPECT_EQ(kept.p.v, 0.0f);
  EXPECT_EQ(kept.in.h, 3e38f);
  EXPECT_EQ(host.UndoText(), "");
  EXPECT_EQ(host.alerts().ErrorCount(), 0u);
  EXPECT_EQ(Item(kPointYField).text, "0.000 pt");
}

TEST_F(PaletteEditing, TextThatIsNoFiniteNumberNeverReachesTheArtwork) {
  for (const char* text : {"abc", "", "nan", "inf", "-inf", "1/0", "1e999"}) {
    user.TypeText(Item(kPointXField), text);
    EXPECT_EQ(Anchor(1).p.h, 100.0f) << text;
    EXPECT_EQ(Item(kPointXField).text, "100.000 pt") << text;
  }
  // Even text that reaches the palette without the dialog manager's own check.
  Item(kInXField).text = "1e999";
  {
    Host::PluginCall call(host);
    host.dialogs().NotifyItem(Item(kInXField), kADMUserChangedNotifier);
  }
  EXPECT_EQ(Anchor(1).in.h, 90.0f);
  EXPECT_EQ(Item(kInXField).text, "-10.000 pt");
  EXPECT_EQ(host.UndoText(), "");
  EXPECT_EQ(host.alerts().ErrorCount(), 0u);
}

TEST_F(PaletteEditing, TheKeysHeldAtTheStepChooseItsSize) {
  const struct {
    std::set<int32_t> keys;
    float moved;
  } cases[] = {
      {{}, 1.0f}, {{kShiftKey}, 10.0f}, {{kControlKey}, 0.1f}, {{kShiftKey, kControlKey}, 10.0f}};
  for (const auto& c : cases) {
    const float before = Anchor(1).p.h;
    {
      const HeldKeys held(host.keyboard(), c.keys);
      user.ClickSpin(Item(kPointXSpin), SpinArrow::Up);
    }
    EXPECT_NEAR(Anchor(1).p.h - before, c.moved, 1e-4);
  }
  // Released again, as the plug-in asks for it.
#ifdef _WIN32
  EXPECT_EQ(SimulatedGetAsyncKeyState(kShiftKey), 0);
#else
  EXPECT_EQ(GetAsyncKeyState(kShiftKey), 0);
#endif
}

TEST_F(PaletteEditing, OneUserActionIsOneUndoStepHoweverManyWritesItMakes) {
  user.ClickSpin(Item(kPointXSpin), SpinArrow::Up, 5);
  EXPECT_EQ(Anchor(1).p.h, 105.0f);
  ASSERT_TRUE(host.Undo());
  EXPECT_EQ(Anchor(1).p.h, 100.0f);
  EXPECT_EQ(Item(kPointXField).text, "100.000 pt");
  EXPECT_FALSE(host.Undo());
  ASSERT_TRUE(host.Redo());
  EXPECT_EQ(Anchor(1).p.h, 105.0f);
}

}  // namespace
}  // namespace tavrix::host
