// The suite table walked against the stand-in host.
#include "core/SuiteTable.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "host/Host.h"

namespace tavrix {
namespace {

TEST(SuiteTable, EachEntryIsADifferentSuiteIntoADifferentPointer) {
  // Two entries for one suite, or two suites written into one pointer, would leave a suite the
  // plug-in calls unset or wrong.
  std::set<std::string> names;
  std::set<const void*> destinations;
  for (const SuiteEntry* e = SuiteTableBegin(); e != SuiteTableEnd(); ++e) {
    EXPECT_TRUE(names.insert(e->name).second) << e->name;
    EXPECT_NE(e->destination, nullptr) << e->name;
    EXPECT_TRUE(destinations.insert(e->destination).second) << e->name;
  }
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
