// The host command's command line: commands, options, refusals and help.
#include "tavrix-host/CommandLine.h"

#include <gtest/gtest.h>

namespace tavrix::app {
namespace {

TEST(CommandLine, ReadsCommandsAndOptions) {
  const CommandLine run = ParseCommandLine({"--prefs", "p.txt", "run", "-", "--plugin", "x.aip"});
  EXPECT_EQ(run.command, "run");
  EXPECT_EQ(run.scriptPath, "-");
  EXPECT_EQ(run.preferencesPath, "p.txt");
  EXPECT_EQ(run.pluginPath, "x.aip");
  EXPECT_FALSE(run.help);
  EXPECT_EQ(ParseCommandLine({}).command, "report");
  EXPECT_FALSE(ParseCommandLine({"run"}).error.empty());
  EXPECT_FALSE(ParseCommandLine({"report", "about"}).error.empty());
  const CommandLine open = ParseCommandLine({"open", "drawing.svg"});
  EXPECT_EQ(open.command, "open");
  EXPECT_EQ(open.documentPath, "drawing.svg");
  const CommandLine validate =
      ParseCommandLine({"validate", "--seed", "7", "--skip", "a", "b", "--level", "2"});
  EXPECT_EQ(validate.seed, 7u);
  EXPECT_EQ(validate.level, 2);
  EXPECT_EQ(validate.skip, (std::vector<std::string>{"a", "b"}));
}

TEST(CommandLine, RefusesEmptyFileNamesAndValuesOutOfRange) {
  // An unset variable must not quietly test the default plug-in.
  EXPECT_NE(ParseCommandLine({"--plugin", "", "report"}).error.find("empty"), std::string::npos);
  EXPECT_FALSE(ParseCommandLine({"--prefs", ""}).error.empty());
  EXPECT_FALSE(ParseCommandLine({"run", ""}).error.empty());
  EXPECT_FALSE(ParseCommandLine({"validate", "--level", "11"}).error.empty());
  EXPECT_FALSE(ParseCommandLine({"validate", "--seed", "0"}).error.empty());
  EXPECT_FALSE(ParseCommandLine({"validate", "--seed", "4294967296"}).error.empty());
  EXPECT_FALSE(ParseCommandLine({"open"}).error.empty());
}

TEST(CommandLine, EveryCommandHasItsOwnHelp) {
  const CommandLine top = ParseCommandLine({"--help"});
  EXPECT_TRUE(top.help);
  EXPECT_NE(top.helpText.find("validate"), std::string::npos);
  const CommandLine validate = ParseCommandLine({"validate", "--help"});
  EXPECT_TRUE(validate.help);
  EXPECT_NE(validate.helpText.find("--junit"), std::string::npos);
  EXPECT_EQ(validate.helpText.find("about"), std::string::npos);
  EXPECT_NE(ParseCommandLine({"open", "-h"}).helpText.find("SVG"), std::string::npos);
}

TEST(CommandLine, VersionIsPrintedAsHelpIs) {
  const CommandLine version = ParseCommandLine({"--version"});
  EXPECT_TRUE(version.help);
  EXPECT_TRUE(version.error.empty());
  // help2man reads the program's name and version from the first line.
  EXPECT_EQ(version.helpText.rfind("tavrix-host 2.", 0), 0u) << version.helpText;
  EXPECT_NE(ParseCommandLine({"--help"}).helpText.find("--version"), std::string::npos);
}

}  // namespace
}  // namespace tavrix::app
