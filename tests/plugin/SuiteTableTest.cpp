// The suite table walked against the stand-in host.
#include "core/SuiteTable.h"

#include <gtest/gtest.h>

#include <cstring>

#include "host/Host.h"

namespace tavrix {
namespace {

TEST(SuiteTable, ListsThirtySevenSuitesWithTheActionManagerEleventh) {
  ASSERT_EQ(SuiteTableEnd() - SuiteTableBegin(), 37);
  EXPECT_STREQ(SuiteTableBegin()[0].name, "ADM Basic Suite");
  EXPECT_STREQ(SuiteTableBegin()[10].name, "AI Action Manager Suite");
  EXPECT_STREQ(SuiteTableBegin()[36].name, "SP Runtime Suite");
}

TEST(SuiteTable, AcquireFillsEveryPointerAndReleaseClearsThem) {
  host::Host host;
  ASSERT_EQ(AcquireSuites(*host.basic()), kNoErr);
  for (const SuiteEntry* e = SuiteTableBegin(); e != SuiteTableEnd(); ++e) {
    EXPECT_NE(*e->destination, nullptr) << e->name;
  }
  ASSERT_EQ(ReleaseSuites(*host.basic()), kNoErr);
  for (const SuiteEntry* e = SuiteTableBegin(); e != SuiteTableEnd(); ++e) {
    EXPECT_EQ(*e->destination, nullptr) << e->name;
  }
}

TEST(SuiteTable, ReleaseSkipsWhatWasNeverAcquired) {
  host::Host host;
  host.suites().Withdraw(kAIActionManagerSuite);
  ASSERT_EQ(AcquireSuites(*host.basic()), kNoErr);
  EXPECT_EQ(sAIActionManager, nullptr);
  EXPECT_EQ(ReleaseSuites(*host.basic()), kNoErr);
  EXPECT_EQ(host.suites().OutstandingTotal(), 0);
}

TEST(SuiteTable, AFailedReleaseLeavesThatPointerAndTheRestSet) {
  host::Host host;
  ASSERT_EQ(AcquireSuites(*host.basic()), kNoErr);
  host.faults().FailFromCall("SPBasic.ReleaseSuite", 2, 77);
  EXPECT_EQ(ReleaseSuites(*host.basic()), 77);
  EXPECT_EQ(sADMBasic, nullptr);
  EXPECT_NE(sADMDialog, nullptr);
  EXPECT_NE(sSPRuntime, nullptr);
  host.faults().Clear();
  EXPECT_EQ(ReleaseSuites(*host.basic()), kNoErr);
  EXPECT_EQ(host.suites().OutstandingTotal(), 0);
}

}  // namespace
}  // namespace tavrix
