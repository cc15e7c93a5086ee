// Long random sessions of everything a person can do with the palette today: whatever the
// order, the host and the plug-in neither crash nor corrupt the artwork, and no alert appears.
// The sanitizer build runs this too.
#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "support/PluginBytes.h"
#include "tavrix-host/ScriptWords.h"
#include "tavrix-host/Session.h"

namespace tavrix::app {
namespace {

std::vector<std::string> RandomCommand(std::mt19937& random) {
  auto pick = [&random](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
  auto number = [&](int n) { return std::to_string(pick(n)); };
  static const char* kUnits[] = {"pt", "in", "mm", "cm", "pc", "px", "Q"};
  static const char* kWindow[] = {"show", "hide", "collapse", "expand"};
  static const char* kTriangles[] = {"pointSectionTriangle", "inOutSectionTriangle",
                                     "pathSectionTriangle"};
  switch (pick(12)) {
    case 0:
      return {"document", kUnits[pick(7)]};
    case 1: {
      std::vector<std::string> path = {"path"};
      if (pick(2)) path.push_back("closed");
      const int anchors = 1 + pick(5);
      for (int i = 0; i < anchors; ++i) {
        for (const char* part : {"", "in", "out"}) {
          if (*part != 0) {
            if (pick(2)) continue;
            path.push_back(part);
          }
          path.push_back(std::to_string(pick(400) - 200));
          path.push_back(std::to_string(pick(400) - 200));
        }
        if (pick(4) == 0) path.push_back("corner");
        path.push_back(";");
      }
      return path;
    }
    case 2:
      return {"select", number(3), number(6)};
    case 3:
      return {"select-handle", number(3), number(6)};
    case 4:
      return {"select-paths", number(3), number(3)};
    case 5:
      return {"deselect"};
    case 6:
      return {"units", kUnits[pick(7)]};
    case 7:
      return {"increment", std::to_string(1 + pick(20))};
    case 8:
      return {"menu"};
    case 9:
      return {"window", kWindow[pick(4)]};
    case 10:
      return {"click", kTriangles[pick(3)]};
    default:
      return {"flyout", std::to_string(1 + pick(12))};
  }
}

TEST(SessionRobustness, RandomSessionsNeverBreakTheHostOrThePalette) {
  for (unsigned seed = 1; seed <= 6; ++seed) {
    std::mt19937 random(seed);
    std::ostringstream out;
    Session session({test::PluginPath(), ""}, out);
    session.Execute({"document"});
    int carriedOut = 0;
    for (int step = 0; step < 1000; ++step) {
      const std::vector<std::string> command = RandomCommand(random);
      try {
        session.Execute(command);
        ++carriedOut;
      } catch (const ScriptError&) {
        // A command a person could not give at that moment (a hidden palette, no such path).
      } catch (const std::invalid_argument&) {
      } catch (const std::out_of_range&) {
      }
      if (step % 100 == 0) session.Execute({"print"});
    }
    // Most commands make sense when given, or the session tested little.
    EXPECT_GT(carriedOut, 500) << "seed " << seed;
    // The plug-in never needed to tell the user about a failure.
    EXPECT_NO_THROW(session.Execute({"expect", "alerts", "0"})) << "seed " << seed << "\n"
                                                                << out.str().substr(0, 2000);
  }
}

}  // namespace
}  // namespace tavrix::app
