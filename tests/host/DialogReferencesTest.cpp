// References the dialog manager hands out, used after their object's end: each use is recorded
// as misuse and reaches nothing, even when a new object has taken the old one's memory. And a
// failure inside the host during a dialog-manager call is recorded under the operation's name.
#include <gtest/gtest.h>

#include <cstdint>
#include <new>
#include <stdexcept>
#include <string>

#include "host/Host.h"
#include "host/suites/AdmCall.h"
#include "hostapi/ADMSuites.h"
#include "support/PluginBytes.h"

namespace tavrix::host {
namespace {

// What the callbacks below kept and saw; the callbacks are plain C functions, as a plug-in's are.
struct Kept {
  ADMNotifierRef notifier = nullptr;
  ADMTrackerRef tracker = nullptr;
  ADMDrawerRef drawer = nullptr;
  // What the first reference answered inside the next callback, when a second one ran.
  bool oldNotifierAnswered = false;
  bool oldTrackerAnswered = false;
};
Kept kept;
const ADMNotifierSuite* notifiers = nullptr;
const ADMTrackerSuite* trackers = nullptr;
const ADMDrawerSuite* drawers = nullptr;

void KeepNotifier(ADMItemRef, ADMNotifierRef notifier) {
  if (kept.notifier == nullptr) {
    kept.notifier = notifier;
    return;
  }
  kept.oldNotifierAnswered = notifiers->IsNotifierType(kept.notifier, kADMUserChangedNotifier) ||
                             notifiers->GetItem(kept.notifier) != nullptr;
}

ASBoolean KeepTracker(ADMItemRef, ADMTrackerRef tracker) {
  if (kept.tracker == nullptr) {
    kept.tracker = tracker;
  } else {
    kept.oldTrackerAnswered = trackers->TestAction(kept.tracker, kADMButtonDownAction);
  }
  return true;
}

void KeepDrawer(ADMItemRef, ADMDrawerRef drawer) {
  if (kept.drawer == nullptr) {
    kept.drawer = drawer;
    return;
  }
  const ADMRect everywhere{-1000, -1000, 1000, 1000};
  drawers->FillRect(kept.drawer, &everywhere);
}

class DialogReferencesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    kept = Kept{};
    plugin.EnsureLoaded();  // the suites are the plug-in's to call
    notifiers = &Acquire<ADMNotifierSuite>(kADMNotifierSuite, kADMNotifierSuiteVersion);
    trackers = &Acquire<ADMTrackerSuite>(kADMTrackerSuite, kADMTrackerSuiteVersion);
    drawers = &Acquire<ADMDrawerSuite>(kADMDrawerSuite, kADMDrawerSuiteVersion);
    dialog = dm.CreateDialog(plugin.ref(), "Test", 18000, kADMTabbedFloatingDialogStyle, nullptr,
                             nullptr);
    ASSERT_NE(dialog, nullptr);
    field = dm.ItemWithId(*dialog, 6);
    ASSERT_NE(field, nullptr);
  }
  template <class Suite>
  const Suite& Acquire(const char* name, int32_t version) {
    const void* table = nullptr;
    EXPECT_EQ(host.basic()->AcquireSuite(name, version, &table), kNoErr);
    return *static_cast<const Suite*>(table);
  }
  bool Recorded(const std::string& part) {
    return host.misuse().Describe().find(part) != std::string::npos;
  }

  Host host;
  HostedPlugin& plugin = host.LoadPlugin(test::PluginPath());
  DialogManager& dm = host.dialogs();
  HostDialog* dialog = nullptr;
  HostItem* field = nullptr;
};

TEST_F(DialogReferencesTest, ANotifierKeptPastItsCallbackReachesNoLaterOne) {
  field->callbacks.notify = &KeepNotifier;
  dm.NotifyItem(*field, kADMIntermediateChangedNotifier);
  ASSERT_NE(kept.notifier, nullptr);
  EXPECT_TRUE(host.misuse().empty()) << host.misuse().Describe();

  EXPECT_FALSE(notifiers->IsNotifierType(kept.notifier, kADMIntermediateChangedNotifier));
  EXPECT_TRUE(Recorded("a notifier reference was used after the notify callback"));
  host.misuse().Clear();
  // The next notifier sits where the first one sat.
  dm.NotifyItem(*field, kADMUserChangedNotifier);
  EXPECT_FALSE(kept.oldNotifierAnswered);
  EXPECT_TRUE(Recorded("a notifier reference was used after the notify callback"));
}

TEST_F(DialogReferencesTest, ATrackerKeptPastItsCallbackReachesNoLaterOne) {
  field->callbacks.track = &KeepTracker;
  EXPECT_TRUE(dm.TrackItem(*field, kADMButtonDownAction, 0));
  ASSERT_NE(kept.tracker, nullptr);
  EXPECT_TRUE(host.misuse().empty()) << host.misuse().Describe();

  ADMPoint point{7, 7};
  trackers->GetPoint(kept.tracker, &point);
  EXPECT_EQ(point.h, 7);
  EXPECT_TRUE(Recorded("a tracker reference was used after the track callback"));
  host.misuse().Clear();
  EXPECT_TRUE(dm.TrackItem(*field, kADMButtonDownAction, 0));
  EXPECT_FALSE(kept.oldTrackerAnswered);
  EXPECT_TRUE(Recorded("a tracker reference was used after the track callback"));
}

TEST_F(DialogReferencesTest, ADrawerKeptPastItsDrawCallbackDrawsNothingLater) {
  field->callbacks.draw = &KeepDrawer;
  dm.DrawItem(*field);
  ASSERT_NE(kept.drawer, nullptr);
  dm.DrawItem(*field);  // draws through the first drawer's reference
  EXPECT_TRUE(field->lastDrawing.empty());
  EXPECT_TRUE(Recorded("a drawer reference was used after"));
}

TEST_F(DialogReferencesTest, AReleasedPortDrawerNeverReachesTheNextOne) {
  const ADMRect bounds{0, 0, 10, 10};
  const ADMDrawerRef first = drawers->Create(DocumentView::kPort, &bounds, 0);
  ASSERT_NE(first, nullptr);
  drawers->Release(first);
  const ADMDrawerRef second = drawers->Create(DocumentView::kPort, &bounds, 0);
  ASSERT_NE(second, nullptr);
  EXPECT_TRUE(host.misuse().empty()) << host.misuse().Describe();

  drawers->SetADMColor(first, kADMBackgroundColor);
  const ADMPoint from{0, 0};
  const ADMPoint to{5, 5};
  drawers->DrawLine(first, &from, &to);
  drawers->Release(first);
  const HostDrawer* drawer = dm.Drawer(second);
  ASSERT_NE(drawer, nullptr);
  EXPECT_EQ(drawer->color, kADMBlackColor);
  EXPECT_TRUE(drawer->operations.empty());
  EXPECT_TRUE(host.view().strokes().empty());
  EXPECT_TRUE(Recorded("a drawer reference was used after it was released"));
  drawers->Release(second);
}

TEST_F(DialogReferencesTest, EntriesOfARefilledListAndListsOfGoneItemsFindNothing) {
  const auto& lists = Acquire<ADMListSuite>(kADMListSuite, kADMListSuiteVersion);
  const auto& entries = Acquire<ADMEntrySuite>(kADMEntrySuite, kADMEntrySuiteVersion);
  const ADMListRef list = DialogManager::Ref(dialog->flyout->list.get());
  lists.SetMenuID(list, 700);
  const ADMEntryRef old = lists.IndexEntry(list, 0);
  ASSERT_NE(old, nullptr);
  EXPECT_EQ(entries.GetIndex(old), 0);
  lists.SetMenuID(list, 700);  // the same menu again, in the same memory
  EXPECT_TRUE(host.misuse().empty()) << host.misuse().Describe();

  entries.Enable(old, false);
  EXPECT_TRUE(entries.IsEnabled(lists.IndexEntry(list, 0)));
  EXPECT_EQ(entries.GetIndex(old), -1);
  EXPECT_TRUE(Recorded("an entry reference was used after its list was filled again"));

  const ADMEntryRef current = lists.IndexEntry(list, 0);
  dm.DestroyDialog(*dialog);
  EXPECT_EQ(lists.NumberOfEntries(list), 0);
  EXPECT_EQ(entries.GetID(current), 0);
  EXPECT_TRUE(Recorded("a list reference was used after its item went"));
}

TEST_F(DialogReferencesTest, AReferenceNeverGivenOutOrOfAnotherKindFindsNothing) {
  field->callbacks.notify = &KeepNotifier;
  field->callbacks.track = [](ADMItemRef, ADMTrackerRef tracker) -> ASBoolean {
    // The tracker's reference handed to the notifier suite.
    return notifiers->GetItem(reinterpret_cast<ADMNotifierRef>(tracker)) != nullptr;
  };
  EXPECT_FALSE(dm.TrackItem(*field, kADMButtonDownAction, 0));
  EXPECT_FALSE(
      notifiers->IsNotifierType(reinterpret_cast<ADMNotifierRef>(uintptr_t{0x7fff0000}), ""));
  EXPECT_TRUE(Recorded("a notifier reference the host never gave out was used (2 times)"));
  // A null reference is no misuse: it is what a failed call answered.
  host.misuse().Clear();
  notifiers->IsNotifierType(nullptr, "");
  EXPECT_TRUE(host.misuse().empty());
  // Except a drawer's: a dialog manager draws through it, so a plug-in must not draw with the
  // none a failed Create answered.
  drawers->SetADMColor(nullptr, 0);
  EXPECT_TRUE(Recorded("ADMDrawer.SetADMColor with no drawer the host lent"));
}

TEST_F(DialogReferencesTest, AFailureInsideTheHostIsRecordedUnderItsOperation) {
  const auto& dialogs = Acquire<ADMDialogSuite>(kADMDialogSuite, kADMDialogSuiteVersion);
  dm.SetModalDriver([](HostDialog&) { throw std::logic_error("the driver broke"); });
  EXPECT_EQ(dialogs.Modal(plugin.ref(), "Modal", 18000, kADMModalDialogStyle, nullptr, nullptr),
            -1);
  EXPECT_EQ(dm.OpenDialogs().size(), 1u);  // the modal one went all the same
  EXPECT_TRUE(Recorded("'ADMDialog.Modal' failed inside the host"));
  EXPECT_TRUE(Recorded("the driver broke"));

  host.misuse().Clear();
  EXPECT_EQ(AdmCall<int>("ADMItem.GetID", 7, [](DialogManager&) -> int { throw 42; }), 7);
  AdmDo("ADMItem.SetText", [](DialogManager&) { throw std::bad_alloc(); });
  EXPECT_TRUE(
      Recorded("'ADMItem.GetID' failed inside the host and answered its fallback: an "
               "unknown exception"));
  EXPECT_TRUE(Recorded("'ADMItem.SetText' failed"));
}

}  // namespace
}  // namespace tavrix::host
