// Start-up as the host drives it: Reload, Startup, and what the plug-in registers.
#include <gtest/gtest.h>

#include "host/Host.h"
#include "hostapi/HostApi.h"
#include "support/PluginBytes.h"

namespace tavrix::host {
namespace {

constexpr ASErr kInjected = FourCharCode('T', 'E', 'S', 'T');

TEST(Startup, RegistersThreeNotifiersTheMenuItemAndTheAnnotator) {
  Host host;
  HostedPlugin& plugin = host.LoadPlugin(test::PluginPath());
  ASSERT_EQ(plugin.Start(), kNoErr);
  const Registrations& r = host.registrations();

  ASSERT_EQ(r.notifiers().size(), 3u);
  const NotifierRecord* started = r.NotifierNamed("Startup");
  const NotifierRecord* selection = r.NotifierNamed("ArtChangedEM");
  const NotifierRecord* preference = r.NotifierNamed("ArtPreferenceEM");
  ASSERT_TRUE(started && selection && preference);
  EXPECT_EQ(started->type, "AI Application Started Notifier");
  EXPECT_EQ(selection->type, "AI Art Selection Changed Notifier");
  EXPECT_EQ(preference->type, "AI Preference Changed Notifier");
  EXPECT_TRUE(started->active);
  EXPECT_FALSE(selection->active);
  EXPECT_FALSE(preference->active);

  ASSERT_EQ(r.menuItems().size(), 1u);
  EXPECT_EQ(r.menuItems()[0].group, "Tool Palettes");
  EXPECT_EQ(r.menuItems()[0].text, r.menuItems()[0].name);
  EXPECT_EQ(r.menuItems()[0].text, "Tavrix");
  EXPECT_FALSE(r.menuItems()[0].checked);

  ASSERT_EQ(r.annotators().size(), 1u);
  EXPECT_EQ(r.annotators()[0].name, "Gorvane");
  EXPECT_FALSE(r.annotators()[0].active);

  EXPECT_EQ(host.blocks().LiveCount(), 1u);
  EXPECT_EQ(host.alerts().shown().size(), 0u);
}

TEST(Startup, AcquiresEverySuiteAtReloadAndReleasesThemAtUnload) {
  Host host;
  HostedPlugin& plugin = host.LoadPlugin(test::PluginPath());
  ASSERT_EQ(plugin.Reload(), kNoErr);
  EXPECT_EQ(host.suites().OutstandingTotal(), 37);
  ASSERT_EQ(plugin.Unload(), kNoErr);
  EXPECT_EQ(host.suites().OutstandingTotal(), 0);
}

// Each host call of start-up, made to fail: the plug-in answers that call's error.
class StartupFailure : public ::testing::TestWithParam<const char*> {};

TEST_P(StartupFailure, ReturnsTheHostErrorWithoutAnAlert) {
  Host host;
  HostedPlugin& plugin = host.LoadPlugin(test::PluginPath());
  ASSERT_EQ(plugin.Reload(), kNoErr);
  host.faults().FailOnce(GetParam(), kInjected);
  EXPECT_EQ(plugin.Startup(), kInjected);
  EXPECT_EQ(host.alerts().shown().size(), 0u);
}

INSTANTIATE_TEST_SUITE_P(EveryCheckedCall, StartupFailure,
                         ::testing::Values("AIBlock.AllocateBlock", "AINotifier.AddNotifier",
                                           "ADMBasic.GetIndexString", "AIMenu.AddMenuItem",
                                           "AINotifier.SetNotifierActive",
                                           "AIAnnotator.AddAnnotator",
                                           "AIAnnotator.SetAnnotatorActive"));

TEST(Startup, LaterFailuresEndStartUpAtThatStep) {
  Host host;
  HostedPlugin& plugin = host.LoadPlugin(test::PluginPath());
  ASSERT_EQ(plugin.Reload(), kNoErr);
  // The third notifier, the preference one, fails: the annotator is never reached.
  host.faults().FailFromCall("AINotifier.AddNotifier", 3, kInjected);
  EXPECT_EQ(plugin.Startup(), kInjected);
  EXPECT_EQ(host.faults().Calls("AINotifier.AddNotifier"), 3);
  EXPECT_EQ(host.faults().Calls("AIAnnotator.AddAnnotator"), 0);
  // The host drops what a plug-in that failed to start had registered.
  EXPECT_TRUE(host.registrations().notifiers().empty());
  EXPECT_TRUE(host.registrations().menuItems().empty());
}

TEST(Startup, AnUnavailableAccessReferenceIsNotAFailure) {
  Host host;
  HostedPlugin& plugin = host.LoadPlugin(test::PluginPath());
  ASSERT_EQ(plugin.Reload(), kNoErr);
  host.faults().FailOnce("SPAccess.GetPluginAccess", kInjected);
  EXPECT_EQ(plugin.Startup(), kNoErr);
  EXPECT_EQ(host.faults().Calls("SPAccess.GetPluginAccess"), 1);
}

TEST(Reload, AMissingSuiteFailsReloadWithItsError) {
  Host host;
  HostedPlugin& plugin = host.LoadPlugin(test::PluginPath());
  host.suites().Withdraw(kAIPathSuite);
  EXPECT_EQ(plugin.Reload(), kSuiteNotFoundErr);
  // The walk stopped at the Path suite: the suites after it in the table were never asked for.
  EXPECT_EQ(host.suites().Outstanding(kAIPathStyleSuite, kAIPathStyleSuiteVersion), 0);
  EXPECT_EQ(host.suites().Outstanding(kAINotifierSuite, kAINotifierSuiteVersion), 1);
}

TEST(Reload, TheActionManagerSuiteMayBeMissing) {
  Host host;
  HostedPlugin& plugin = host.LoadPlugin(test::PluginPath());
  host.suites().Withdraw(kAIActionManagerSuite);
  ASSERT_EQ(plugin.Start(), kNoErr);
  EXPECT_EQ(host.suites().OutstandingTotal(), 36);
  EXPECT_EQ(plugin.Stop(), kNoErr);
  EXPECT_EQ(host.suites().OutstandingTotal(), 0);
}

TEST(Reload, AFailedReloadKeepsTheGlobalBlockForTheNextOne) {
  Host host;
  HostedPlugin& plugin = host.LoadPlugin(test::PluginPath());
  ASSERT_EQ(plugin.Start(), kNoErr);
  ASSERT_EQ(plugin.Unload(), kNoErr);
  void* const block = plugin.globalsSlot();
  ASSERT_TRUE(host.blocks().Owns(block));

  host.faults().FailFromCall("SPBasic.AcquireSuite", 5, kSuiteNotFoundErr);
  EXPECT_EQ(plugin.Reload(), kSuiteNotFoundErr);
  EXPECT_EQ(plugin.globalsSlot(), block);

  host.faults().Clear();
  ASSERT_EQ(plugin.Reload(), kNoErr);
  // The block the plug-in frees at shutdown is the one it handed over.
  EXPECT_EQ(plugin.Shutdown(), kNoErr);
  EXPECT_FALSE(host.blocks().Owns(block));
  EXPECT_EQ(host.blocks().LiveCount(), 0u);
}

TEST(Unload, AFailedReleaseStopsTheWalk) {
  Host host;
  HostedPlugin& plugin = host.LoadPlugin(test::PluginPath());
  ASSERT_EQ(plugin.Start(), kNoErr);
  host.faults().FailFromCall("SPBasic.ReleaseSuite", 3, kInjected);
  EXPECT_EQ(plugin.Unload(), kInjected);
  EXPECT_EQ(host.suites().Outstanding(kADMBasicSuite, kADMBasicSuiteVersion), 0);
  EXPECT_EQ(host.suites().Outstanding(kADMDialogSuite, kADMDialogSuiteVersion), 0);
  EXPECT_EQ(host.suites().Outstanding(kADMDialogGroupSuite, kADMDialogGroupSuiteVersion), 1);
  EXPECT_EQ(host.suites().Outstanding(kSPRuntimeSuite, kSPRuntimeSuiteVersion), 1);
  EXPECT_EQ(host.suites().OutstandingTotal(), 35);
}

}  // namespace
}  // namespace tavrix::host
