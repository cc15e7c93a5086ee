// The palette inside the stand-in host: the alert path, host memory, and notifications.
#include <gtest/gtest.h>

#include "host/Host.h"
#include "host/dialog/DialogUser.h"
#include "palette/PaletteItems.h"
#include "support/PluginBytes.h"

namespace tavrix::host {
namespace {

constexpr ASErr kInjected = FourCharCode('F', 'A', 'I', 'L');

class PaletteHost : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(plugin.Start(), kNoErr);
    Document& document = host.NewDocument(kAIPointRulerUnits);
    document.AddPath(
        {PathSegment{{0, 0}, {0, 0}, {0, 0}, 0}, PathSegment{{100, 0}, {100, 0}, {100, 0}, 0}},
        false);
    host.DeliverNotifications();
    ASSERT_EQ(plugin.ChooseMenuItem(host.registrations().MenuItemNamed("Tavrix")->handle), kNoErr);
    palette = host.dialogs().DialogNamed(kPaletteDialogName);
    ASSERT_NE(palette, nullptr);
  }
  HostItem& Item(int id) { return *host.dialogs().ItemWithId(*palette, id); }

  Host host;
  HostedPlugin& plugin = host.LoadPlugin(test::PluginPath());
  HostDialog* palette = nullptr;
};

TEST_F(PaletteHost, AHostFailureInsideANotifierGivesOneAlertAndExTr) {
  host.document()->SelectAnchor(0, 1);  // queued, not yet delivered
  host.faults().FailOnce("AIPath.GetPathSegmentCount", kInjected);
  EXPECT_EQ(plugin.Notify(kAIArtSelectionChangedNotifier), 0x45785472);
  ASSERT_EQ(host.alerts().ErrorCount(), 1u);
  EXPECT_EQ(host.alerts().shown()[0].text, "Error in Tavrix");
}

TEST_F(PaletteHost, ASelectionThatCannotBeReadShowsNoPointAndSaysNothing) {
  host.document()->SelectAnchor(0, 1);
  host.DeliverNotifications();
  ASSERT_EQ(Item(6).text, "100.000 pt");
  host.faults().FailOnce("AIMatchingArt.GetMatchingArt", kInjected);
  host.document()->SelectAnchor(0, 0);
  host.DeliverNotifications();
  EXPECT_EQ(Item(6).text, "");
  EXPECT_FALSE(Item(6).enabled);
  // The same through the window being shown again.
  DialogUser user(host.dialogs());
  host.DeliverNotifications();
  user.HideWindow(*palette);
  host.faults().FailOnce("AIMatchingArt.GetMatchingArt", kInjected);
  user.ShowWindow(*palette);
  EXPECT_EQ(Item(6).text, "");
  EXPECT_EQ(host.alerts().ErrorCount(), 0u);
}

TEST_F(PaletteHost, EveryMatchingArtResultIsGivenBack) {
  for (int i = 0; i < 5; ++i) {
    host.document()->SelectAnchor(0, static_cast<size_t>(i % 2));
    host.DeliverNotifications();
  }
  EXPECT_GE(host.faults().Calls("AIMatchingArt.GetMatchingArt"), 5);
  EXPECT_EQ(host.memoryHandles().LiveCount(), 0u);
}

TEST_F(PaletteHost, NotificationsWaitUntilThePluginCallHasReturned) {
  const int64_t before = host.faults().Calls("AIMatchingArt.GetMatchingArt");
  {
    Host::PluginCall call(host);
    host.document()->SelectAnchor(0, 1);
    host.DeliverNotifications();  // a plug-in call is running: nothing goes out
    EXPECT_EQ(host.faults().Calls("AIMatchingArt.GetMatchingArt"), before);
  }
  EXPECT_EQ(host.faults().Calls("AIMatchingArt.GetMatchingArt"), before + 1);
  EXPECT_EQ(Item(6).text, "100.000 pt");
}

TEST_F(PaletteHost, EveryItemButTheSpareTextIsWrapped) {
  for (const auto& item : palette->items) {
    if (item->id == 9) {
      EXPECT_EQ(item->userData, nullptr);
    } else {
      EXPECT_NE(item->userData, nullptr) << "item " << item->id;
    }
  }
  EXPECT_NE(palette->flyout->userData, nullptr);
}

// Starts the plug-in up to the point where the application has started, with `fault` armed.
void StartWithFault(Host& host, HostedPlugin& plugin, const char* fault) {
  ASSERT_EQ(plugin.Reload(), kNoErr);
  ASSERT_EQ(plugin.Startup(), kNoErr);
  host.faults().FailOnce(fault, kInjected);
  plugin.Notify(kAIApplicationStartedNotifier);
}

TEST(PaletteInit, APaletteMissingAnItemIsNotBuiltAtAll) {
  // Item 6, the Point X field, at (65, 44), 44 by 14 units, given another id.
  test::Bytes file = test::ReadFileBytes(test::PluginPath());
  const test::Bytes item6{0x41, 0, 0x2C, 0, 0x2C, 0, 0x0E, 0, 0x06, 0};
  const size_t at = test::Find(file, item6);
  ASSERT_NE(at, std::string::npos);
  file[at + 8] = 99;
  Host host;
  HostedPlugin& plugin = host.LoadPlugin(test::WriteTempFile("no-item-6.aip", file));
  // The application-started notification tells the user once and answers ExTr.
  EXPECT_EQ(plugin.Start(), kExTrErr);
  EXPECT_EQ(host.alerts().ErrorCount(), 1u);
  EXPECT_EQ(host.dialogs().DialogNamed(kPaletteDialogName), nullptr);
  EXPECT_TRUE(host.misuse().empty()) << host.misuse().Describe();
}

TEST(PaletteInit, WithTheKeyboardIncrementNeverReadableTheArrowsStepOnePoint) {
  Host host;
  HostedPlugin& plugin = host.LoadPlugin(test::PluginPath());
  host.faults().FailFromCall("AIPreference.GetRealPreference", 1, kInjected);
  ASSERT_EQ(plugin.Start(), kNoErr);
  ASSERT_EQ(plugin.ChooseMenuItem(host.registrations().MenuItemNamed("Tavrix")->handle), kNoErr);
  HostDialog* palette = host.dialogs().DialogNamed(kPaletteDialogName);
  ASSERT_NE(palette, nullptr);
  const HostItem* arrows = host.dialogs().ItemWithId(*palette, item::kPointXSpin);
  ASSERT_NE(arrows, nullptr);
  EXPECT_EQ(arrows->smallStep, 1.0f);
  EXPECT_EQ(host.alerts().ErrorCount(), 0u);
}

TEST(PaletteInit, AFailedSetUpIsShownOnceAndLeavesNoHalfBuiltPalette) {
  for (const char* fault : {"AIAnnotator.SetAnnotatorActive", "ADMDialog.Create"}) {
    Host host;
    HostedPlugin& plugin = host.LoadPlugin(test::PluginPath());
    StartWithFault(host, plugin, fault);
    EXPECT_EQ(host.alerts().ErrorCount(), 1u) << fault;
    EXPECT_TRUE(host.misuse().empty()) << fault << ": " << host.misuse().Describe();
    EXPECT_EQ(host.dialogs().DialogNamed(kPaletteDialogName), nullptr) << fault;
    // The menu item finds no palette to show, and a selection change finds none to update.
    const MenuItemRecord& menu = *host.registrations().MenuItemNamed("Tavrix");
    EXPECT_EQ(plugin.ChooseMenuItem(menu.handle), kNoErr) << fault;
    EXPECT_FALSE(menu.checked) << fault;
    host.NewDocument(kAIPointRulerUnits).AddPath({PathSegment{{1, 2}, {1, 2}, {1, 2}, 0}}, false);
    host.document()->SelectAnchor(0, 0);
    host.DeliverNotifications();
    EXPECT_EQ(host.alerts().ErrorCount(), 1u) << fault;
  }
}

}  // namespace
}  // namespace tavrix::host

namespace tavrix::host {
namespace {

class PaletteRouting : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(plugin.Start(), kNoErr); }
  HostDialog& Palette() { return *host.dialogs().DialogNamed(kPaletteDialogName); }
  const MenuItemRecord& Menu() { return *host.registrations().MenuItemNamed("Tavrix"); }

  Host host;
  HostedPlugin& plugin = host.LoadPlugin(test::PluginPath());
};

TEST_F(PaletteRouting, OnlyItsOwnMenuItemTogglesThePalette) {
  EXPECT_EQ(plugin.ChooseMenuItem(Menu().handle + 1000), kNoErr);
  EXPECT_FALSE(Palette().visible);
  EXPECT_EQ(plugin.UpdateMenuItem(Menu().handle), kNoErr);
  EXPECT_FALSE(Palette().visible);
  EXPECT_FALSE(Menu().checked);
  EXPECT_EQ(plugin.ChooseMenuItem(Menu().handle), kNoErr);
  EXPECT_TRUE(Palette().visible);
  EXPECT_TRUE(Menu().checked);
  EXPECT_EQ(plugin.ChooseMenuItem(Menu().handle), kNoErr);
  EXPECT_FALSE(Palette().visible);
  EXPECT_FALSE(Menu().checked);
}

TEST_F(PaletteRouting, AnotherApplicationStartedMakesNoSecondPalette) {
  EXPECT_EQ(plugin.Notify(kAIApplicationStartedNotifier), kNoErr);
  EXPECT_EQ(host.dialogs().OpenDialogs().size(), 1u);
}

TEST_F(PaletteRouting, NotifierMessagesForOthersChangeNothing) {
  const int64_t queries = host.faults().Calls("AIMatchingArt.GetMatchingArt");
  AINotifierMessage message{};
  message.notifier = 0xFFFF;
  EXPECT_EQ(plugin.Send(kCallerAINotifier, kAIArtSelectionChangedNotifier, message.d), kNoErr);
  EXPECT_EQ(host.faults().Calls("AIMatchingArt.GetMatchingArt"), queries);
  EXPECT_EQ(host.alerts().shown().size(), 0u);
}

}  // namespace
}  // namespace tavrix::host
