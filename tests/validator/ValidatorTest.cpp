// The validator: it passes the plug-in, names its checks and replays a seed, and rejects each
// plug-in broken on purpose for the fault it has.
#include "validator/Validator.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <unistd.h>
#endif

#include <chrono>
#include <csignal>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/PluginBytes.h"
#include "validator/ChildProcess.h"
#include "validator/ValidatorCheck.h"

namespace tavrix::validator {
namespace {

struct Validation {
  int code;
  std::string output;
};

Validation Validate(const std::string& plugin, ValidatorOptions options = {}) {
  options.pluginPath = plugin;
  options.level = options.level == 5 ? 1 : options.level;
  options.seed = options.seed == 0 ? 42 : options.seed;
#ifdef _WIN32
  options.hostCommand = TAVRIX_HOST_COMMAND;  // this test program runs no checks of its own
#endif
  std::ostringstream out;
  const int code = RunValidator(options, out);
  return {code, out.str()};
}

TEST(Validator, PassesThePluginAndWritesAJUnitReport) {
  ValidatorOptions options;
  options.junitPath = (test::TempFolder() / "validate.xml").string();
  const Validation run = Validate(test::PluginPath(), options);
  EXPECT_EQ(run.code, 0) << run.output;
  EXPECT_NE(run.output.find("replay with --seed 42"), std::string::npos);
  EXPECT_NE(run.output.find("[PASS] random.sessions"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find(" passed, 0 failed"), std::string::npos) << run.output;
  std::ifstream report(options.junitPath);
  const std::string xml((std::istreambuf_iterator<char>(report)), {});
  EXPECT_NE(xml.find("<testsuite name=\"tavrix-validate\""), std::string::npos) << xml;
  EXPECT_NE(xml.find("failures=\"0\""), std::string::npos) << xml;
}

TEST(Validator, SkipsChecksByName) {
  ValidatorOptions options;
  options.skip = {"random.sessions", "lifecycle.load-unload-cycles"};
  const Validation run = Validate(test::PluginPath(), options);
  EXPECT_NE(run.output.find("[SKIP] random.sessions"), std::string::npos) << run.output;
  EXPECT_EQ(run.output.find("[PASS] random.sessions"), std::string::npos) << run.output;
}

std::string ReadReport(const std::string& path) {
  std::ifstream report(path);
  return std::string((std::istreambuf_iterator<char>(report)), {});
}

size_t Occurrences(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

// A run that skipped every check has proved nothing: it fails, says so, and its report does too.
TEST(Validator, ARunThatChecksNothingFails) {
  ValidatorOptions options;
  for (const ValidatorCheck& check : AllChecks()) options.skip.push_back(check.name);
  const size_t all = options.skip.size();
  options.junitPath = (test::TempFolder() / "validate.xml").string();
  const Validation run = Validate(test::PluginPath(), options);
  EXPECT_EQ(run.code, 1) << run.output;
  EXPECT_EQ(Occurrences(run.output, " (left out with --skip)\n"), all) << run.output;
  EXPECT_NE(run.output.find("0 passed, 0 failed, " + std::to_string(all) +
                            " skipped\n"
                            "The validation failed: no check ran, so nothing was checked: all " +
                            std::to_string(all) + " checks were skipped."),
            std::string::npos)
      << run.output;
  const std::string xml = ReadReport(options.junitPath);
  EXPECT_NE(xml.find("failures=\"1\" skipped=\"" + std::to_string(all) + "\""), std::string::npos)
      << xml;
  EXPECT_EQ(Occurrences(xml, "<skipped message=\"left out with --skip\"/>"), all) << xml;
  EXPECT_NE(xml.find("name=\"nothing-checked\" time=\"0\">\n    <failure message=\"no check ran"),
            std::string::npos)
      << xml;
}

// Checks above the level asked for are not silently left out: they are listed as skipped.
TEST(Validator, ChecksAboveTheLevelAreReportedAsSkipped) {
  ValidatorOptions options;
  const std::vector<ValidatorCheck> all = AllChecks();
  const size_t skipped = all.size() - 1;
  for (const ValidatorCheck& check : all) {
    if (check.level == 1 && check.name != "input.preference-files")
      options.skip.push_back(check.name);
  }
  ASSERT_LT(options.skip.size(), skipped) << "no check runs from a level above 1";
  options.junitPath = (test::TempFolder() / "validate.xml").string();
  const Validation run = Validate(test::PluginPath(), options);
  EXPECT_EQ(run.code, 0) << run.output;
  EXPECT_NE(run.output.find("[PASS] input.preference-files"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find(
                "[SKIP] faults.every-host-call (runs from level 2; this run is at level 1)\n"),
            std::string::npos)
      << run.output;
  EXPECT_NE(run.output.find("1 passed, 0 failed, " + std::to_string(skipped) + " skipped\n"),
            std::string::npos)
      << run.output;
  EXPECT_EQ(run.output.find("nothing was checked"), std::string::npos) << run.output;
  const std::string xml = ReadReport(options.junitPath);
  EXPECT_NE(xml.find("failures=\"0\" skipped=\"" + std::to_string(skipped) + "\""),
            std::string::npos)
      << xml;
  EXPECT_NE(xml.find("<testcase classname=\"validate\" name=\"faults.every-host-call\" "
                     "time=\"0\">\n    <skipped message=\"runs from level 2; this run is at "
                     "level 1\"/>"),
            std::string::npos)
      << xml;
  EXPECT_EQ(xml.find("nothing-checked"), std::string::npos) << xml;
}

TEST(Validator, RejectsAnExceptionLeftOutOfPluginMain) {
  const Validation run = Validate(TAVRIX_FIXTURE_THROWS);
  EXPECT_EQ(run.code, 1);
  EXPECT_NE(run.output.find("an exception left PluginMain"), std::string::npos) << run.output;
}

TEST(Validator, RejectsAWritePastAMessageRecord) {
  const Validation run = Validate(TAVRIX_FIXTURE_OVERRUNS);
  EXPECT_EQ(run.code, 1);
  EXPECT_NE(run.output.find("wrote past the end of a message record"), std::string::npos)
      << run.output;
}

TEST(Validator, RejectsALeakedDrawerAndAnUnbalancedSuite) {
  const Validation run = Validate(TAVRIX_FIXTURE_LEAKS_DRAWER);
  EXPECT_EQ(run.code, 1);
  EXPECT_NE(run.output.find("a drawer was still held"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("released more often than it was acquired"), std::string::npos)
      << run.output;
}

TEST(Validator, RejectsDialogsThatPileUp) {
  const Validation run = Validate(TAVRIX_FIXTURE_LEAKS_DIALOGS);
  EXPECT_EQ(run.code, 1);
  EXPECT_NE(run.output.find("dialogs after starting and"), std::string::npos) << run.output;
}

TEST(Validator, RejectsAPluginWithTheWrongPipl) {
  test::Bytes file = test::ReadFileBytes(test::PluginPath());
  const size_t at = test::Find(file, test::Ascii("AEPS"));
  ASSERT_NE(at, std::string::npos);
  std::copy_n(test::Ascii("RTLF").begin(), 4, file.begin() + static_cast<long>(at));
  const Validation run = Validate(test::WriteTempFile("wrong-kind.aip", file));
  EXPECT_EQ(run.code, 1);
  EXPECT_NE(run.output.find("not a plug-in of kind 'SPEA'"), std::string::npos) << run.output;
}

#ifndef _WIN32
// The Windows runner's own cases are in ChildProcessWindowsTest.cpp.
TEST(ChildProcess, ACrashIsAFailedCheckNotADeadValidator) {
  const ChildOutcome crashed = RunInChild(
      []() -> std::string {
        raise(SIGSEGV);  // as a plug-in's bad pointer would, also under the sanitizers
        return "";
      },
      10);
  EXPECT_FALSE(crashed.passed);
  EXPECT_EQ(crashed.message.rfind("crashed", 0), 0u) << crashed.message;
  const ChildOutcome slow = RunInChild(
      []() -> std::string {
        for (;;) {
        }
      },
      1);
  EXPECT_NE(slow.message.find("took longer than 1 s"), std::string::npos) << slow.message;
}

TEST(ChildProcess, AChildThatEndsAnyOtherWayThanByFinishingHasNotPassed) {
  // A plug-in that calls exit(0) never reached the check's verdict.
  const ChildOutcome exited = RunInChild([]() -> std::string { _exit(0); }, 10);
  EXPECT_FALSE(exited.passed);
  // A child that will not hear its alarm is still stopped at the time limit.
  const ChildOutcome deaf = RunInChild(
      []() -> std::string {
        signal(SIGALRM, SIG_IGN);
        for (;;) pause();
      },
      1);
  EXPECT_NE(deaf.message.find("took longer than 1 s"), std::string::npos) << deaf.message;
  // A grandchild that keeps the pipe open does not keep the validator waiting.
  const auto started = std::chrono::steady_clock::now();
  const ChildOutcome forked = RunInChild(
      []() -> std::string {
        if (fork() == 0) {
          sleep(30);
          _exit(0);
        }
        raise(SIGSEGV);
        return "";
      },
      5);
  EXPECT_FALSE(forked.passed);
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
  // A caller that ignores its children's ends still learns of a crash.
  signal(SIGCHLD, SIG_IGN);
  EXPECT_FALSE(RunInChild(
                   []() -> std::string {
                     raise(SIGSEGV);
                     return "";
                   },
                   10)
                   .passed);
  signal(SIGCHLD, SIG_DFL);
}
#endif

}  // namespace
}  // namespace tavrix::validator
