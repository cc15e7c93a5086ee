// The validator's child processes on Windows: a new process of a program, whose crash, early
// exit or endless run fails the check instead of the validator. The children here are this
// test program itself, running one of the disabled bodies below.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <iostream>

#include "validator/ChildProcess.h"

namespace tavrix::validator {
namespace {

ChildOutcome RunBody(const std::string& body, int timeLimitSeconds) {
  return RunProgramInChild(ThisProgram(),
                           {"--gtest_also_run_disabled_tests", "--gtest_catch_exceptions=0",
                            "--gtest_filter=ChildBodies.DISABLED_" + body},
                           timeLimitSeconds);
}

TEST(ChildBodies, DISABLED_Passes) {
  std::cout << "what a check prints on its way\n";
  std::exit(ReportVerdict([] { return std::string(); }, std::cout));
}

TEST(ChildBodies, DISABLED_Fails) {
  std::exit(
      ReportVerdict([]() -> std::string { throw std::runtime_error("no such item"); }, std::cout));
}

TEST(ChildBodies, DISABLED_Crashes) {
  RaiseException(EXCEPTION_ACCESS_VIOLATION, EXCEPTION_NONCONTINUABLE, 0, nullptr);
}

TEST(ChildBodies, DISABLED_ExitsBeforeItsVerdict) {
  std::exit(0);
}

TEST(ChildBodies, DISABLED_Spins) {
  for (;;) Sleep(10);
}

// Leaves a grandchild that holds the output pipe open, then crashes.
TEST(ChildBodies, DISABLED_StartsAGrandchildThenCrashes) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::wstring line =
      L"child --gtest_also_run_disabled_tests --gtest_filter=ChildBodies.DISABLED_Spins";
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  CreateProcessW(self, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                 &process);
  RaiseException(EXCEPTION_ACCESS_VIOLATION, EXCEPTION_NONCONTINUABLE, 0, nullptr);
}

TEST(ChildProcess, OnlyAVerdictOfPassedPassesAndAFailureKeepsItsWords) {
  const ChildOutcome passed = RunBody("Passes", 30);
  EXPECT_TRUE(passed.passed) << passed.message;
  const ChildOutcome failed = RunBody("Fails", 30);
  EXPECT_FALSE(failed.passed);
  EXPECT_EQ(failed.message, "no such item");
  // A plug-in that calls exit(0) never reached the check's verdict.
  EXPECT_FALSE(RunBody("ExitsBeforeItsVerdict", 30).passed);
}

TEST(ChildProcess, ACrashIsAFailedCheckNotADeadValidator) {
  const ChildOutcome crashed = RunBody("Crashes", 30);
  EXPECT_FALSE(crashed.passed);
  EXPECT_EQ(crashed.message, "crashed with exception 0xC0000005 (access violation)");
  const ChildOutcome slow = RunBody("Spins", 1);
  EXPECT_EQ(slow.message, "took longer than 1 s");
}

TEST(ChildProcess, AGrandchildHoldingThePipeKeepsNobodyWaiting) {
  const auto started = std::chrono::steady_clock::now();
  const ChildOutcome crashed = RunBody("StartsAGrandchildThenCrashes", 20);
  EXPECT_FALSE(crashed.passed);
  EXPECT_EQ(crashed.message.rfind("crashed", 0), 0u) << crashed.message;
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(15));
}

TEST(ChildProcess, AProgramThatCannotStartIsAFailureThatSaysSo) {
  const ChildOutcome missing = RunProgramInChild("Z:\\nowhere\\absent.exe", {}, 5);
  EXPECT_FALSE(missing.passed);
  EXPECT_EQ(missing.message.rfind("cannot start a child process: ", 0), 0u) << missing.message;
}

}  // namespace
}  // namespace tavrix::validator
