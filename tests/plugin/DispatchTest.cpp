// Every caller and selector the host sends, answered through PluginMain.
#include <gtest/gtest.h>

#include "host/Host.h"
#include "support/PluginBytes.h"

namespace tavrix::host {
namespace {

class Dispatch : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(plugin.Start(), kNoErr); }

  ASErr SendPlain(const char* caller, const char* selector) {
    AINotifierMessage message{};  // large enough for every record the plug-in reads
    return plugin.Send(caller, selector, message.d);
  }

  Host host;
  HostedPlugin& plugin = host.LoadPlugin(test::PluginPath());
};

TEST_F(Dispatch, MenuMessagesForAnyItemAreAnsweredWithoutChange) {
  const MenuItemRecord* item = host.registrations().MenuItemNamed("Tavrix");
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(plugin.UpdateMenuItem(item->handle), kNoErr);
  EXPECT_EQ(plugin.ChooseMenuItem(0x7777), kNoErr);  // another plug-in's item
  EXPECT_FALSE(host.registrations().MenuItemNamed("Tavrix")->checked);
  EXPECT_EQ(host.alerts().shown().size(), 0u);
}

TEST_F(Dispatch, NotifierAndAnnotationMessagesForOthersAreAnsweredWithZero) {
  AINotifierMessage notifier{};
  notifier.notifier = 0x9999;
  EXPECT_EQ(plugin.Send(kCallerAINotifier, "Some Other Notifier", notifier.d), kNoErr);
  AIAnnotatorMessage annotation{};
  annotation.annotator = 0x9999;
  annotation.port = 42;
  EXPECT_EQ(plugin.Send(kCallerAIAnnotation, kSelectorAIDrawAnnotation, annotation.d), kNoErr);
}

TEST_F(Dispatch, UnknownCallersAndSelectorsAreAnsweredWithZero) {
  EXPECT_EQ(SendPlain("AI Filter", "AI Go"), kNoErr);
  EXPECT_EQ(SendPlain(kSPAccessCaller, "Reticulate"), kNoErr);
  EXPECT_EQ(SendPlain(kSPInterfaceCaller, "Pause"), kNoErr);
  // The caller decides first: a known selector under a foreign caller does nothing.
  EXPECT_EQ(SendPlain("AI Tool", kSPInterfaceShutdownSelector), kNoErr);
  EXPECT_EQ(plugin.state(), HostedPlugin::State::Started);
  EXPECT_EQ(host.blocks().LiveCount(), 1u);
}

TEST_F(Dispatch, AboutBoxShowsTheTitleAndCredit) {
  EXPECT_EQ(plugin.About(), kNoErr);
  ASSERT_EQ(host.alerts().shown().size(), 1u);
  const Alert& about = host.alerts().shown()[0];
  EXPECT_EQ(about.kind, Alert::Kind::About);
  EXPECT_EQ(about.text, "Tavrix 2.0");
  EXPECT_FALSE(about.detail.empty());
}

TEST_F(Dispatch, AboutBoxWithoutItsTextsStillOpensEmpty) {
  host.faults().FailFromCall("ADMBasic.GetIndexString", 1, kNoSuchStringErr);
  EXPECT_EQ(plugin.About(), kNoErr);
  ASSERT_EQ(host.alerts().shown().size(), 1u);
  EXPECT_EQ(host.alerts().shown()[0].text, "");
  EXPECT_EQ(host.alerts().shown()[0].detail, "");
}

TEST(DispatchBeforeStart, ANotifierBeforeThePaletteExistsIsAnsweredQuietly) {
  // A host may deliver the selection or preference notifier before "application started", when
  // the palette does not exist yet.
  Host host;
  HostedPlugin& plugin = host.LoadPlugin(test::PluginPath());
  ASSERT_EQ(plugin.Reload(), kNoErr);
  ASSERT_EQ(plugin.Startup(), kNoErr);
  for (const char* name : {"ArtChangedEM", "ArtPreferenceEM"}) {
    const NotifierRecord* record = host.registrations().NotifierNamed(name);
    ASSERT_NE(record, nullptr) << name;
    AINotifierMessage message{};
    message.notifier = record->handle;
    EXPECT_EQ(plugin.Send(kCallerAINotifier, record->type.c_str(), message.d), kNoErr) << name;
  }
  EXPECT_EQ(host.alerts().shown().size(), 0u);
  EXPECT_EQ(plugin.Shutdown(), kNoErr);
}

TEST_F(Dispatch, ShutdownFreesTheBlockAndClearsTheSlot) {
  ASSERT_EQ(plugin.Unload(), kNoErr);
  ASSERT_NE(plugin.globalsSlot(), nullptr);
  EXPECT_EQ(plugin.Shutdown(), kNoErr);  // reloads the code first, as a host does
  EXPECT_EQ(plugin.globalsSlot(), nullptr);
  EXPECT_EQ(host.blocks().LiveCount(), 0u);
}

TEST_F(Dispatch, ShutdownFailuresAreSilent) {
  host.faults().FailOnce("AIBlock.DisposeBlock", kBadHandleErr);
  EXPECT_EQ(plugin.Shutdown(), kNoErr);
  EXPECT_EQ(host.alerts().shown().size(), 0u);
}

}  // namespace
}  // namespace tavrix::host
