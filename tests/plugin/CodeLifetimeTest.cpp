// The plug-in's code comes and goes with Unload and Reload while its global block lives on in
// the host, unless something of the plug-in is still held by the host.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "host/Host.h"
#include "host/dialog/DialogUser.h"
#include "support/PluginBytes.h"

namespace tavrix::host {
namespace {

bool PluginCodeIsMapped() {
  std::ifstream maps("/proc/self/maps");
  std::string line;
  while (std::getline(maps, line)) {
    if (line.find("Tavrix 2.0.aip") != std::string::npos) return true;
  }
  return false;
}

// Started, but before the application has started: no palette exists yet.
void StartWithoutPalette(HostedPlugin& plugin) {
  ASSERT_EQ(plugin.Reload(), kNoErr);
  ASSERT_EQ(plugin.Startup(), kNoErr);
}

TEST(CodeLifetime, UnloadUnmapsTheCodeAndReloadMapsItAgain) {
  Host host;
  HostedPlugin& plugin = host.LoadPlugin(test::PluginPath());
  StartWithoutPalette(plugin);
  ASSERT_TRUE(PluginCodeIsMapped());

  ASSERT_EQ(plugin.Unload(), kNoErr);
  EXPECT_FALSE(PluginCodeIsMapped());
  void* const block = plugin.globalsSlot();
  EXPECT_TRUE(host.blocks().Owns(block));

  ASSERT_EQ(plugin.Reload(), kNoErr);
  EXPECT_TRUE(PluginCodeIsMapped());
  ASSERT_EQ(plugin.Unload(), kNoErr);
  EXPECT_EQ(plugin.globalsSlot(), block);  // the same block came back and went out again
}

TEST(CodeLifetime, AMessageAfterUnloadReloadsTheCodeFirst) {
  Host host;
  HostedPlugin& plugin = host.LoadPlugin(test::PluginPath());
  ASSERT_EQ(plugin.Start(), kNoErr);
  ASSERT_EQ(plugin.Unload(), kNoErr);
  const MenuItemRecord* item = host.registrations().MenuItemNamed("Tavrix");
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(plugin.ChooseMenuItem(item->handle), kNoErr);
  EXPECT_TRUE(PluginCodeIsMapped());
  EXPECT_EQ(host.suites().OutstandingTotal(), 37);
}

TEST(CodeLifetime, HeldCodeStaysMappedAcrossUnload) {
  Host host;
  HostedPlugin& plugin = host.LoadPlugin(test::PluginPath());
  StartWithoutPalette(plugin);
  plugin.library().Hold();
  ASSERT_EQ(plugin.Unload(), kNoErr);
  EXPECT_TRUE(PluginCodeIsMapped());
  EXPECT_EQ(host.suites().OutstandingTotal(), 0);  // the suites went all the same
  ASSERT_EQ(plugin.Reload(), kNoErr);
  plugin.library().Unhold();
  ASSERT_EQ(plugin.Unload(), kNoErr);
  EXPECT_FALSE(PluginCodeIsMapped());
}

TEST(CodeLifetime, TheOpenPaletteKeepsTheCodeMappedAcrossUnload) {
  Host host;
  HostedPlugin& plugin = host.LoadPlugin(test::PluginPath());
  ASSERT_EQ(plugin.Start(), kNoErr);  // the application started: the palette exists
  ASSERT_EQ(host.dialogs().OpenDialogs().size(), 1u);
  ASSERT_EQ(plugin.Unload(), kNoErr);
  EXPECT_TRUE(PluginCodeIsMapped());
  // A callback after Unload finds the plug-in's suites again: the host reloads it first.
  host::DialogUser user(host.dialogs());
  user.ShowWindow(*host.dialogs().OpenDialogs()[0]);
  EXPECT_EQ(plugin.state(), HostedPlugin::State::Started);
  EXPECT_TRUE(host.registrations().MenuItemNamed("Tavrix")->checked);
}

TEST(CodeLifetime, QuittingTheHostShutsThePluginDownAndFreesItsBlock) {
  auto host = std::make_unique<Host>();
  HostedPlugin& plugin = host->LoadPlugin(test::PluginPath());
  ASSERT_EQ(plugin.Start(), kNoErr);
  host.reset();
  EXPECT_FALSE(PluginCodeIsMapped());
}

}  // namespace
}  // namespace tavrix::host
