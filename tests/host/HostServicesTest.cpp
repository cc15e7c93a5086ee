// The host's own services as a plug-in sees them through its suites.
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

#include "host/Host.h"
#include "hostapi/HostApi.h"
#include "support/PluginBytes.h"

namespace tavrix::host {
namespace {

template <class Suite>
const Suite* Acquire(Host& host, const char* name, int32_t version) {
  const void* table = nullptr;
  EXPECT_EQ(host.basic()->AcquireSuite(name, version, &table), kNoErr) << name;
  return static_cast<const Suite*>(table);
}

TEST(SPBasic, AcquiresByNameAndVersionAndRefusesTheRest) {
  Host host;
  const void* table = nullptr;
  EXPECT_EQ(host.basic()->AcquireSuite(kAIBlockSuite, kAIBlockSuiteVersion, &table), kNoErr);
  EXPECT_NE(table, nullptr);
  EXPECT_EQ(host.suites().Outstanding(kAIBlockSuite, kAIBlockSuiteVersion), 1);
  EXPECT_EQ(host.basic()->ReleaseSuite(kAIBlockSuite, kAIBlockSuiteVersion), kNoErr);
  EXPECT_EQ(host.basic()->ReleaseSuite(kAIBlockSuite, kAIBlockSuiteVersion), kSuiteNotFoundErr);

  EXPECT_EQ(host.basic()->AcquireSuite("AI Teleport Suite", 1, &table), kSuiteNotFoundErr);
  EXPECT_EQ(host.basic()->AcquireSuite(kAIBlockSuite, 99, &table), kSuiteVersionErr);
  EXPECT_TRUE(host.basic()->IsEqual("AI Menu", "AI Menu"));
  EXPECT_FALSE(host.basic()->IsEqual("AI Menu", "AI Men"));
}

TEST(SPBasic, OffersEverySuiteThePluginAsksFor) {
  Host host;
  const std::pair<const char*, int32_t> wanted[] = {
      {kADMBasicSuite, 2},       {kADMDialogSuite, 3},       {kADMDialogGroupSuite, 1},
      {kADMDrawerSuite, 3},      {kADMEntrySuite, 2},        {kADMIconSuite, 1},
      {kADMItemSuite, 4},        {kADMListSuite, 1},         {kADMNotifierSuite, 1},
      {kADMTrackerSuite, 1},     {kAIActionManagerSuite, 2}, {kAIAnnotatorSuite, 3},
      {kAIArtSuite, 9},          {kAIBlockSuite, 2},         {kAIDocumentSuite, 7},
      {kAIDocumentViewSuite, 7}, {kAIFilterSuite, 2},        {kAIGroupSuite, 2},
      {kAILayerSuite, 9},        {kAIMatchingArtSuite, 4},   {kAIMdMemorySuite, 1},
      {kAIMenuSuite, 7},         {kAINotifierSuite, 2},      {kAIPathSuite, 4},
      {kAIPathStyleSuite, 5},    {kAIPluginGroupSuite, 3},   {kAIPreferenceSuite, 2},
      {kAIRandomSuite, 3},       {kAIRealMathSuite, 1},      {kAIRuntimeSuite, 7},
      {kAITagSuite, 2},          {kAITransformArtSuite, 1},  {kAIUndoSuite, 4},
      {kSPAccessSuite, 3},       {kSPBlocksSuite, 2},        {kSPSuitesSuite, 2},
      {kSPRuntimeSuite, 5}};
  EXPECT_EQ(sizeof(wanted) / sizeof(wanted[0]), 37u);
  for (const auto& suite : wanted)
    EXPECT_TRUE(host.suites().Offers(suite.first, suite.second)) << suite.first;
}

TEST(AIBlock, BlocksLiveUntilDisposedAndUnknownPointersAreRefused) {
  Host host;
  const auto* blocks = Acquire<AIBlockSuite>(host, kAIBlockSuite, kAIBlockSuiteVersion);
  void* block = nullptr;
  ASSERT_EQ(blocks->AllocateBlock(64, &block), kNoErr);
  EXPECT_EQ(static_cast<unsigned char*>(block)[63], 0);  // zero-filled
  EXPECT_TRUE(host.blocks().Owns(block));
  int local = 0;
  EXPECT_EQ(blocks->DisposeBlock(&local), kBadHandleErr);
  EXPECT_EQ(blocks->DisposeBlock(block), kNoErr);
  EXPECT_EQ(blocks->DisposeBlock(block), kBadHandleErr);  // twice is refused, not a double free
}

TEST(FaultPlan, FailsOnceOrFromTheKthCallOn) {
  Host host;
  const auto* blocks = Acquire<AIBlockSuite>(host, kAIBlockSuite, kAIBlockSuiteVersion);
  void* block = nullptr;
  host.faults().FailOnce("AIBlock.AllocateBlock", kOutOfMemoryErr);
  EXPECT_EQ(blocks->AllocateBlock(8, &block), kOutOfMemoryErr);
  EXPECT_EQ(blocks->AllocateBlock(8, &block), kNoErr);

  host.faults().FailFromCall("AIBlock.AllocateBlock", 3, 1234);
  EXPECT_EQ(blocks->AllocateBlock(8, &block), kNoErr);
  EXPECT_EQ(blocks->AllocateBlock(8, &block), kNoErr);
  EXPECT_EQ(blocks->AllocateBlock(8, &block), 1234);
  EXPECT_EQ(blocks->AllocateBlock(8, &block), 1234);
  EXPECT_EQ(host.faults().Calls("AIBlock.AllocateBlock"), 6);
  host.faults().Clear();
  EXPECT_EQ(blocks->AllocateBlock(8, &block), kNoErr);

  EXPECT_THROW(host.faults().FailOnce("AIBlock.Allocate", 1), std::invalid_argument);

  // Once, after letting two calls pass.
  host.faults().FailOnce("AIBlock.AllocateBlock", 77, 2);
  EXPECT_EQ(blocks->AllocateBlock(8, &block), kNoErr);
  EXPECT_EQ(blocks->AllocateBlock(8, &block), kNoErr);
  EXPECT_EQ(blocks->AllocateBlock(8, &block), 77);
  EXPECT_EQ(blocks->AllocateBlock(8, &block), kNoErr);
}

TEST(AIPreference, FlagsAreWholeWordsAndTextsFitTheirThirtyTwoBytes) {
  Host host;
  const auto* prefs =
      Acquire<AIPreferenceSuite>(host, kAIPreferenceSuite, kAIPreferenceSuiteVersion);
  ASSERT_EQ(prefs->PutBooleanPreference("Tavrix", "Flag", 1), kNoErr);
  AIBoolean flag = 0x7f7f7f7f;
  ASSERT_EQ(prefs->GetBooleanPreference("Tavrix", "Flag", &flag), kNoErr);
  EXPECT_EQ(flag, 1);
  ASSERT_EQ(prefs->PutPointPreference("Tavrix", "Where", AIPoint{-5, 7}), kNoErr);
  AIPoint where{};
  ASSERT_EQ(prefs->GetPointPreference("Tavrix", "Where", &where), kNoErr);
  EXPECT_EQ(where.h, -5);
  EXPECT_EQ(where.v, 7);
  // A stored text longer than the interface's buffer is cut, never written past it.
  const std::string group = std::string(40, 'g');
  ASSERT_EQ(prefs->PutStringPreference("Tavrix", "Group", group.c_str()), kNoErr);
  char text[kAIPreferenceStringSize + 8];
  std::memset(text, '#', sizeof text);
  ASSERT_EQ(prefs->GetStringPreference("Tavrix", "Group", text), kNoErr);
  EXPECT_EQ(std::string(text), group.substr(0, kAIPreferenceStringSize - 1));
  for (size_t i = kAIPreferenceStringSize; i < sizeof text; ++i) EXPECT_EQ(text[i], '#') << i;
}

TEST(AINotifier, InactiveNotifiersReceiveNoMessages) {
  Host host;
  HostedPlugin& plugin = host.LoadPlugin(test::PluginPath());
  ASSERT_EQ(plugin.Start(), kNoErr);
  const auto* notifiers = Acquire<AINotifierSuite>(host, kAINotifierSuite, kAINotifierSuiteVersion);
  AINotifierHandle handle = 0;
  ASSERT_EQ(notifiers->AddNotifier(plugin.ref(), "Probe", "Probe Notifier", &handle), kNoErr);
  AIBoolean active = 0;
  ASSERT_EQ(notifiers->IsNotifierActive(handle, &active), kNoErr);
  EXPECT_TRUE(active);
  const int64_t before = host.faults().Calls("SPBasic.AcquireSuite");
  EXPECT_EQ(notifiers->SetNotifierActive(handle, false), kNoErr);
  EXPECT_EQ(plugin.Notify("Probe Notifier"), kNoErr);
  EXPECT_EQ(notifiers->SetNotifierActive(0xDEAD, true), kBadHandleErr);
  // Nothing was sent, so the code was not reloaded either.
  EXPECT_EQ(host.faults().Calls("SPBasic.AcquireSuite"), before);
}

TEST(ADMBasic, StringsAreCutToTheBufferAtACharacterBoundary) {
  Host host;
  HostedPlugin& plugin = host.LoadPlugin(test::PluginPath());
  const auto* adm = Acquire<ADMBasicSuite>(host, kADMBasicSuite, kADMBasicSuiteVersion);
  char buffer[256];
  ASSERT_EQ(adm->GetIndexString(plugin.ref(), 30000, 1, buffer, sizeof buffer), kNoErr);
  EXPECT_STREQ(buffer, "Error in Tavrix");

  char small[6];
  std::memset(small, 'x', sizeof small);
  ASSERT_EQ(adm->GetIndexString(plugin.ref(), 30000, 1, small, sizeof small), kNoErr);
  EXPECT_STREQ(small, "Error");

  // "Toggles Illustrator" is 19 bytes, followed by the two bytes of one character.
  char cut[21];
  ASSERT_EQ(adm->GetIndexString(plugin.ref(), 30200, 6, cut, sizeof cut), kNoErr);
  EXPECT_STREQ(cut, "Toggles Illustrator");

  EXPECT_EQ(adm->GetIndexString(plugin.ref(), 30000, 2, buffer, sizeof buffer), kNoSuchStringErr);
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(adm->GetIndexString(plugin.ref(), 30000, 1, buffer, 0), kBadParameterErr);
  EXPECT_EQ(adm->GetIndexString(99, 30000, 1, buffer, sizeof buffer), kBadParameterErr);
}

TEST(ADMBasic, AlertsAreRecordedAndShownToAWatchingPerson) {
  std::ostringstream console;
  Host host(&console);
  const auto* adm = Acquire<ADMBasicSuite>(host, kADMBasicSuite, kADMBasicSuiteVersion);
  adm->ErrorAlert("Something broke");
  adm->AboutBox(1, "Title", "Credit");
  ASSERT_EQ(host.alerts().shown().size(), 2u);
  EXPECT_EQ(host.alerts().ErrorCount(), 1u);
  EXPECT_EQ(host.alerts().shown()[1].detail, "Credit");
  EXPECT_EQ(console.str(), "[alert] Something broke\n[about] Title | Credit\n");
}

}  // namespace
}  // namespace tavrix::host
