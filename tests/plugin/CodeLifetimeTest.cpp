// The plug-in's code comes and goes with Unload and Reload while its global block lives on in
// the host, unless something of the plug-in is still held by the host.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "host/Host.h"
#include "host/dialog/DialogUser.h"
#include "support/PluginBytes.h"
#ifdef _WIN32
// Last: its macros (CreateDialog among them) would rename the host's functions.
#include <malloc.h>
#include <windows.h>

#include <filesystem>
#endif

namespace tavrix::host {
namespace {

#ifdef _WIN32
bool PluginCodeIsMapped() {
  return GetModuleHandleW(L"Tavrix 2.0.aip") != nullptr;
}
#else
bool PluginCodeIsMapped() {
  std::ifstream maps("/proc/self/maps");
  std::string line;
  while (std::getline(maps, line)) {
    if (line.find("Tavrix 2.0.aip") != std::string::npos) return true;
  }
  return false;
}
#endif

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

#ifdef _WIN32
// What the C heap holds: msvcrt's, which the host and every DLL's C runtime share.
size_t CHeapInUse() {
  _HEAPINFO entry{};
  size_t used = 0;
  while (_heapwalk(&entry) == _HEAPOK) {
    if (entry._useflag == _USEDENTRY) used += entry._size;
  }
  return used;
}

TEST(CodeLifetime, EachUnloadGivesBackWhatTheCodeTookAsItLoaded) {
  // The C++ runtime linked into the DLL takes about 70 KB of the C heap as it loads.
  const std::wstring path = std::filesystem::u8path(test::PluginPath()).wstring();
  const auto cycle = [&path] {
    const HMODULE module = LoadLibraryW(path.c_str());
    ASSERT_NE(module, nullptr);
    FreeLibrary(module);
  };
  for (int i = 0; i < 3; ++i) cycle();
  const size_t settled = CHeapInUse();
  for (int i = 0; i < 20; ++i) cycle();
  EXPECT_LT(CHeapInUse(), settled + 16 * 1024);
}
#endif

}  // namespace
}  // namespace tavrix::host
