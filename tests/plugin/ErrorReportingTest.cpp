// The error check and the error alert, linked directly, with the stand-in host serving ADM
// Basic and the string table of the built plug-in.
#include "core/ErrorReporting.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "core/SuiteTable.h"
#include "host/Host.h"
#include "support/PluginBytes.h"

namespace tavrix {
namespace {

class ErrorReporting : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(host.basic()->AcquireSuite(kADMBasicSuite, kADMBasicSuiteVersion, &sADMBasic),
              kNoErr);
  }
  void TearDown() override { sADMBasic = nullptr; }

  host::Host host;
  host::HostedPlugin& plugin = host.LoadPlugin(test::PluginPath());
};

TEST_F(ErrorReporting, CheckErrorPassesZeroAndThrowsTheCodeOtherwise) {
  EXPECT_NO_THROW(CheckError(kNoErr));
  try {
    CheckError(kSuiteNotFoundErr);
    FAIL();
  } catch (const HostError& error) {
    EXPECT_EQ(error.code(), kSuiteNotFoundErr);
  }
}

TEST_F(ErrorReporting, AFailureInsideAHandlerGivesOneAlertAndExTr) {
  const ASErr result = RunReportingErrors(plugin.ref(), [] { CheckError(kBadHandleErr); });
  EXPECT_EQ(result, 0x45785472);
  ASSERT_EQ(host.alerts().shown().size(), 1u);
  EXPECT_EQ(host.alerts().shown()[0].text, "Error in Tavrix");
}

TEST_F(ErrorReporting, AnyExceptionIsReportedTheSameWay) {
  EXPECT_EQ(RunReportingErrors(plugin.ref(), [] { throw std::runtime_error("x"); }), kExTrErr);
  EXPECT_EQ(host.alerts().ErrorCount(), 1u);
}

TEST_F(ErrorReporting, AFailureACallbackInsideAlreadyToldAnswersExTrWithoutASecondAlert) {
  const ASErr result = RunReportingErrors(plugin.ref(), [&] { ShowErrorAlert(plugin.ref()); });
  EXPECT_EQ(result, kExTrErr);
  EXPECT_EQ(host.alerts().ErrorCount(), 1u);
}

TEST_F(ErrorReporting, ASuccessfulHandlerShowsNothing) {
  EXPECT_EQ(RunReportingErrors(plugin.ref(), [] {}), kNoErr);
  EXPECT_EQ(host.alerts().shown().size(), 0u);
}

TEST_F(ErrorReporting, AFailureInsideTheAlertItselfIsSwallowed) {
  host.faults().FailOnce("ADMBasic.GetIndexString", kNoSuchStringErr);
  EXPECT_EQ(RunReportingErrors(plugin.ref(), [] { CheckError(1); }), kExTrErr);
  EXPECT_EQ(host.alerts().shown().size(), 0u);
}

}  // namespace
}  // namespace tavrix
