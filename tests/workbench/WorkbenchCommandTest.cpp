// The tavrix-workbench command as a person or a script runs it: a session script played into
// the window, the window written as PNG, and clear messages for whatever stops it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "host/artwork/PreferenceFile.h"
#include "pictures/PictureProbes.h"
#include "support/PluginBytes.h"
#include "workbench/Program.h"
#include "workbench/WindowLayout.h"
#include "workbench/XvfbServer.h"

namespace tavrix::workbench {
namespace {

using pictures::Image;
using pictures::test::IsCurrentPointOrange;
using pictures::test::IsWhite;
using test::ProgramRun;
using test::RunProgram;

std::string WriteScript(const std::string& name, const std::string& text) {
  const std::string path = (tavrix::test::TempFolder() / name).string();
  std::ofstream(path) << text;
  return path;
}

std::string Temp(const std::string& name) {
  return (tavrix::test::TempFolder() / name).string();
}

// A configuration folder of the test's own, never the person's; with a preference file in it
// already (a start after the first) unless `fresh`.
std::string ConfigHome(const std::string& name, bool fresh = false) {
  const std::filesystem::path home = tavrix::test::TempFolder() / name;
  std::filesystem::create_directories(home / "tavrix");
  if (!fresh) {
    EXPECT_FALSE(host::SavePreferenceFile((home / "tavrix" / "preferences.json").string(), {}));
  }
  return home.string();
}

class WorkbenchCommand : public ::testing::Test {
 protected:
  ProgramRun Run(const std::vector<std::string>& arguments, bool needsDisplay = true,
                 bool builtPlugin = true, const std::string& configHome = ConfigHome("config")) {
    std::vector<std::string> all;
    if (builtPlugin) all = {"--plugin", tavrix::test::PluginPath()};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::map<std::string, std::string> environment{
        {"SDL_VIDEODRIVER", "x11"}, {"WAYLAND_DISPLAY", ""}, {"XDG_CONFIG_HOME", configHome}};
    if (needsDisplay) environment["DISPLAY"] = test::SharedXvfb().display();
    return RunProgram(TAVRIX_WORKBENCH_COMMAND, all, environment);
  }
  // Whether the test can go on: it fails, or skips when asked to, where no X server starts.
  bool XServerReady() {
    test::XvfbServer& x = test::SharedXvfb();
    if (x.running()) return true;
    if (test::SkipWithoutXServer()) {
      [&] { GTEST_SKIP() << "no X server could be started: " << x.error(); }();
    } else {
      ADD_FAILURE() << "no X server could be started: " << x.error()
                    << " (TAVRIX_SKIP_WINDOW_TESTS=1 skips the window's tests)";
    }
    return false;
  }
};

TEST_F(WorkbenchCommand, PlaysAScriptIntoTheWindowAndWritesItAsPng) {
  if (!XServerReady()) return;
  const std::string script = WriteScript("tour.tavrix",
                                         "document pt\n"
                                         "path 100 -100 ; 300 -300 in 250 -300 out 350 -300\n"
                                         "menu\n"
                                         "select 0 1\n"
                                         "window move 1040 20\n"
                                         "expect anchor 0 1 300 -300\n");
  const std::string shot = Temp("tour.png");
  const ProgramRun run = Run({"--play", script, "--screenshot", shot});
  ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
  EXPECT_NE(run.out.find("6 commands, every expectation held"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("wrote " + shot), std::string::npos) << run.out;
  const Image image = Image::ReadPng(shot);
  EXPECT_EQ(image.width(), kFirstWindow.width);
  EXPECT_EQ(image.height(), kFirstWindow.height);
  // The current point's ring, and the palette's title bar where the script dragged it.
  bool ring = false;
  for (int d = -8; d <= 8; ++d) {
    ring |= IsCurrentPointOrange(image.At(kFirstCanvas.left + 300 + d, kFirstCanvas.top + 300 - 6));
    ring |= IsCurrentPointOrange(image.At(kFirstCanvas.left + 300 + d, kFirstCanvas.top + 300 + 6));
  }
  EXPECT_TRUE(ring);
  const pictures::Rgb title = image.At(kScreenLeft + 1040 + 200, kScreenTop + 20 + 10);
  EXPECT_TRUE(pictures::test::IsGrey(title)) << title;
}

TEST_F(WorkbenchCommand, AScriptLineThatFailsIsReportedAndFailsTheRun) {
  if (!XServerReady()) return;
  const std::string script = WriteScript("bad.tavrix", "document pt\nexpect anchor 0 0 1 1\n");
  const std::string shot = Temp("bad.png");
  const ProgramRun run = Run({"--play", script, "--screenshot", shot});
  EXPECT_EQ(run.exitCode, 1) << run.out << run.err;
  EXPECT_NE(run.err.find("bad.tavrix:2: expect anchor 0 0 1 1"), std::string::npos) << run.err;
  std::ifstream written(shot);
  EXPECT_TRUE(written.good()) << "the window is still written, to see what went wrong";
}

TEST_F(WorkbenchCommand, AScreenshotThatCannotBeWrittenSaysWhy) {
  if (!XServerReady()) return;
  const ProgramRun run = Run({"--screenshot", "/no-such-folder/shot.png"});
  EXPECT_EQ(run.exitCode, 1) << run.out << run.err;
  EXPECT_NE(run.err.find("/no-such-folder/shot.png"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("the folder '/no-such-folder' does not exist"), std::string::npos)
      << run.err;
}

TEST_F(WorkbenchCommand, OpensAnSvgDrawingGivenOnTheCommandLine) {
  if (!XServerReady()) return;
  const std::string svg =
      WriteScript("square.svg",
                  "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"100\" height=\"100\">"
                  "<path d=\"M 10 10 L 90 10 L 90 90 Z\"/></svg>");
  const std::string script = WriteScript("square.tavrix", "expect alerts 0\nselect 0 0\n");
  const ProgramRun run = Run({svg, "--play", script, "--screenshot", Temp("square.png")});
  ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
  EXPECT_NE(run.out.find("Opened " + svg + ": 1 paths"), std::string::npos) << run.out;
}

TEST_F(WorkbenchCommand, SaysWhatStopsItBeforeAnyWindowOpens) {
  const struct {
    std::vector<std::string> arguments;
    const char* message;
  } cases[] = {
      {{"--screenshot", "shot.jpg"}, "name the file FILE.png"},
      {{"--play", Temp("missing.tavrix")}, "cannot read the script"},
      {{Temp("missing.svg")}, "missing.svg"},
      {{"--plugin", Temp("missing.aip")}, "missing.aip"},
      {{"--frobnicate"}, "tavrix-workbench --help"},
  };
  for (const auto& c : cases) {
    const ProgramRun run = Run(c.arguments, false, c.arguments[0] != "--plugin");
    EXPECT_EQ(run.exitCode, 1) << c.message << "\n" << run.err;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("AddressSanitizer"), std::string::npos) << run.err;
  }
}

TEST_F(WorkbenchCommand, WithoutADisplaySaysSo) {
  const ProgramRun run =
      RunProgram(TAVRIX_WORKBENCH_COMMAND, {"--plugin", tavrix::test::PluginPath()},
                 {{"DISPLAY", ""},
                  {"WAYLAND_DISPLAY", ""},
                  {"SDL_VIDEODRIVER", "x11"},
                  {"XDG_CONFIG_HOME", ConfigHome("no-display")}});
  EXPECT_EQ(run.exitCode, 1) << run.out << run.err;
  EXPECT_NE(run.err.find("tavrix-workbench: cannot open a window: "), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("no display is set"), std::string::npos) << run.err;
}

TEST_F(WorkbenchCommand, TheFirstStartPutsThePaletteBesideTheDrawingAndKeepsThePreferences) {
  if (!XServerReady()) return;
  const std::string home = ConfigHome("first", true);
  const std::string shot = Temp("first.png");
  const ProgramRun run = Run({"--screenshot", shot}, true, true, home);
  ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
  EXPECT_TRUE(std::filesystem::exists(home + "/tavrix/preferences.json"))
      << "kept in $XDG_CONFIG_HOME/tavrix/";
  // The palette's title bar, right of the document window and not over it.
  const Image image = Image::ReadPng(shot);
  const int top = kMenuBarHeight + 12 + 4;
  EXPECT_FALSE(IsWhite(image.At(kFirstCanvas.width + 12 + 100, top))) << image.At(1136, top);
  EXPECT_TRUE(IsWhite(image.At(kFirstCanvas.width - 20, top))) << "the drawing is not covered";
}

TEST_F(WorkbenchCommand, HelpSaysWhatItTakes) {
  const ProgramRun run = Run({"--help"}, false);
  EXPECT_EQ(run.exitCode, 0);
  for (const char* option : {"--play", "--screenshot", "--plugin", "--prefs", "FILE"})
    EXPECT_NE(run.out.find(option), std::string::npos) << option << "\n" << run.out;
}

}  // namespace
}  // namespace tavrix::workbench
