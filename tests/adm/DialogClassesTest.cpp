// Dialogs bound to objects: creation, callbacks, ownership and destruction.
#include "adm/KADMBaseDialog.h"

#include "adm/AdmFixture.h"
#include "core/ErrorReporting.h"

#include <cstring>
#include <string>

namespace tavrix::test {
namespace {

using host::HostDialog;

TEST_F(AdmTest, TheDialogIsBoundBeforeCreateReturns) {
  RecordingDialog* object = OpenDialog();
  EXPECT_TRUE(object->initSawDialog);
  ASSERT_NE(object->dialog, nullptr);
  HostDialog& d = HostSide(*object);
  EXPECT_EQ(d.userData, object);
  EXPECT_NE(d.callbacks.draw, nullptr);
  EXPECT_NE(d.callbacks.track, nullptr);
  EXPECT_NE(d.callbacks.notify, nullptr);
  EXPECT_NE(d.callbacks.destroy, nullptr);
  EXPECT_EQ(d.caption, "Tavrix");
  EXPECT_TRUE(d.visible);  // as the resource says: the test dialog does not hide itself
}

TEST_F(AdmTest, AnInitWithoutAnObjectAnswersParm) {
  ADMDialogRef ref =
      ADMDialog().Create(plugin.ref(), "Orphan", kPaletteDialog, 0, &OnDialogInit, nullptr);
  ASSERT_NE(ref, nullptr);
  EXPECT_EQ(host.dialogs().Dialog(ref)->initResult, 0x5041524D);
}

TEST_F(AdmTest, DestroyingTheDialogDeletesTheObjectOnce) {
  int deleted = 0;
  RecordingDialog* object = OpenDialog();
  object->deleted = &deleted;
  HostDialog& d = HostSide(*object);
  host.dialogs().DestroyDialog(d);
  EXPECT_EQ(deleted, 1);
  EXPECT_TRUE(d.destroyed);
}

TEST_F(AdmTest, DeletingTheObjectDetachesAndDestroysItsDialog) {
  int deleted = 0;
  RecordingDialog* object = OpenDialog();
  object->deleted = &deleted;
  HostDialog& d = HostSide(*object);
  delete object;
  EXPECT_EQ(deleted, 1);
  EXPECT_TRUE(d.destroyed);
  EXPECT_EQ(d.userData, nullptr);
  // The track callback stays installed and, finding no object, answers false.
  ASSERT_NE(d.callbacks.track, nullptr);
  EXPECT_FALSE(d.callbacks.track(host::DialogManager::Ref(&d), nullptr));
  EXPECT_EQ(d.callbacks.draw, nullptr);
  EXPECT_EQ(d.callbacks.destroy, nullptr);
}

TEST_F(AdmTest, AStaleDrawOrTrackReachesNoObject) {
  RecordingDialog* first = OpenDialog();
  RecordingDialog* second = OpenDialog();
  HostDialog& d = HostSide(*first);
  // The first dialog's user data now names an object bound to another dialog.
  d.userData = second;
  EXPECT_FALSE(d.callbacks.track(host::DialogManager::Ref(&d), nullptr));
  d.userData = first;
}

TEST_F(AdmTest, AModalObjectOutlivesItsRunDetached) {
  auto* object = new RecordingDialog;
  host.dialogs().SetModalDriver([this](HostDialog& d) { host.dialogs().EndModal(d, 7); });
  EXPECT_EQ(object->Modal(plugin.ref(), "Modal", kPaletteDialog, kADMModalDialogStyle, 0), 7);
  EXPECT_TRUE(object->initSawDialog);
  EXPECT_EQ(object->isModal, 1);
  EXPECT_EQ(object->dialog, nullptr);
  EXPECT_EQ(object->destroyHooks, 1);
  const int64_t calls = host.dialogs().calls();
  delete object;
  EXPECT_EQ(host.dialogs().calls(), calls);
}

TEST_F(AdmTest, DeletingAnObjectWhoseDialogNeverExistedMakesNoCall) {
  const int64_t calls = host.dialogs().calls();
  delete new RecordingDialog;
  EXPECT_EQ(host.dialogs().calls(), calls);
}

TEST_F(AdmTest, AFailedCreationLeavesTheObjectUnbound) {
  auto* object = new RecordingDialog;
  EXPECT_EQ(object->Create(plugin.ref(), "Missing", 4242, kADMTabbedFloatingDialogStyle, 0),
            nullptr);
  EXPECT_EQ(object->dialog, nullptr);
  EXPECT_FALSE(object->initSawDialog);
  delete object;
}

class FloatDialog : public KADMBaseDialogFloat {
 public:
  void ItemChanged(int32_t) override {}
};

TEST_F(AdmTest, AFloatingDialogSwallowsCollapseOnly) {
  auto* object = new FloatDialog;
  object->Create(plugin.ref(), "Float", kPaletteDialog, kADMTabbedFloatingDialogStyle, 0);
  HostDialog& d = *host.dialogs().Dialog(object->dialog);
  user.ShowWindow(d);
  user.CollapseWindow(d);
  EXPECT_FALSE(d.collapsed);
  d.collapsed = true;  // collapsed by other means: expanding still reaches the default handling
  user.ExpandWindow(d);
  EXPECT_FALSE(d.collapsed);

  RecordingDialog* plain = OpenDialog();
  user.ShowWindow(HostSide(*plain));
  user.CollapseWindow(HostSide(*plain));
  EXPECT_TRUE(HostSide(*plain).collapsed);
}

class ShowingDialog : public KADMBaseDialog {
 public:
  ASErr Init() override {
    BaseADMDialog::Init();
    ADMDialog().Show(dialog, true);  // as stored preferences may ask while items do not exist
    initDone = true;
    return kNoErr;
  }
  void Notify(ADMNotifierRef notifier) override {
    KADMBaseDialog::Notify(notifier);
    if (ADMNotifier().IsNotifierType(notifier, kADMShowWindowNotifier)) shownAfterInit = initDone;
  }
  void ItemChanged(int32_t) override {}
  bool initDone = false;
  bool shownAfterInit = false;
};

TEST_F(AdmTest, AShowDuringInitIsToldOnceInitIsDone) {
  auto* object = new ShowingDialog;
  object->Create(plugin.ref(), "Shown", kPaletteDialog, kADMTabbedFloatingDialogStyle, 0);
  EXPECT_TRUE(object->shownAfterInit);
  EXPECT_TRUE(host.dialogs().Dialog(object->dialog)->visible);
}

class ThrowingDialog : public KADMBaseDialog {
 public:
  void Notify(ADMNotifierRef) override { throw HostError(kBadHandleErr); }
  void ItemChanged(int32_t) override {}
};

TEST_F(AdmTest, AnExceptionInACallbackBecomesTheErrorAlert) {
  auto* object = new ThrowingDialog;
  object->Create(plugin.ref(), "Thrower", kPaletteDialog, kADMTabbedFloatingDialogStyle, 0);
  user.ShowWindow(*host.dialogs().Dialog(object->dialog));
  ASSERT_EQ(host.alerts().shown().size(), 1u);
  EXPECT_EQ(host.alerts().shown()[0].text, "Error in Tavrix");
}

TEST_F(AdmTest, DockingGroupIsKeptPerDialog) {
  RecordingDialog* object = OpenDialog();
  const std::string group = "Tavrix Group " + std::string(40, 'x');
  ASSERT_EQ(ADMDialogGroup().SetDialogGroupInfo(object->dialog, group.c_str(), 0x30), kNoErr);
  // The name goes into the interface's 32 bytes, with guard bytes after them.
  char name[kADMDialogGroupNameSize + 8];
  std::memset(name, '#', sizeof name);
  int32_t position = 0;
  ASSERT_EQ(ADMDialogGroup().GetDialogGroupInfo(object->dialog, name, &position), kNoErr);
  EXPECT_EQ(std::string(name), group.substr(0, kADMDialogGroupNameSize - 1));
  for (size_t i = kADMDialogGroupNameSize; i < sizeof name; ++i) EXPECT_EQ(name[i], '#') << i;
  EXPECT_EQ(position, 0x30);
}

}  // namespace
}  // namespace tavrix::test
