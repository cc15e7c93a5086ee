// Long random sessions of everything a person can do with the palette: whatever the order, the
// host and the plug-in neither crash nor corrupt the artwork, no alert appears, and undoing
// every edit gives back the document as it started. The sanitizer build runs this too.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <sstream>

#include "session/ScriptWords.h"
#include "session/Session.h"
#include "support/PluginBytes.h"

namespace tavrix::app {
namespace {

// What a person does at the palette to the point it shows: typing, arrows, boxes, clicks.
std::vector<std::string> RandomEdit(std::mt19937& random) {
  auto pick = [&random](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
  static const char* kFields[] = {"pointXField", "pointYField", "pointIndexField", "inXField",
                                  "inYField",    "outXField",   "outYField"};
  static const char* kSpins[] = {"pointXSpin", "pointYSpin", "pointIndexSpin", "inXSpin",
                                 "inYSpin",    "outXSpin",   "outYSpin"};
  static const char* kTexts[] = {"0",   "-5",  "12.5", "1e9",    "-1e9", "abc",     "",
                                 "nan", "inf", "1/0",  "10 + 5", "72/4", "-0.0004", "359"};
  static const char* kBoxes[] = {"cornerCheckbox", "lockAngleCheckbox"};
  switch (pick(6)) {
    case 0:
      return {"type", kFields[pick(7)], kTexts[pick(14)]};
    case 1: {
      std::vector<std::string> spin = {"spin", kSpins[pick(7)], pick(2) ? "up" : "down"};
      if (pick(3) == 0) spin.push_back("shift");
      if (pick(3) == 0) spin.push_back("ctrl");
      if (pick(4) == 0) {
        spin.push_back("hold");
        spin.push_back(std::to_string(1 + pick(5)));
      }
      return spin;
    }
    case 2:
      return {"click", kBoxes[pick(2)]};
    case 3:
      return {"cmd-click", kFields[3 + pick(4)]};
    case 4:
      return {"flyout", std::to_string(4 + pick(3))};
    default:
      return {"flyout", std::to_string(pick(2) ? 9 : 10)};
  }
}

std::vector<std::string> RandomCommand(std::mt19937& random) {
  auto pick = [&random](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
  auto number = [&](int n) { return std::to_string(pick(n)); };
  static const char* kUnits[] = {"pt", "in", "mm", "cm", "pc", "px", "Q"};
  static const char* kWindow[] = {"show", "hide", "collapse", "expand"};
  static const char* kTriangles[] = {"pointSectionTriangle", "inOutSectionTriangle",
                                     "pathSectionTriangle"};
  switch (pick(14)) {
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
    case 11:
    case 12:
      return RandomEdit(random);
    default:
      return {"flyout", std::to_string(1 + pick(12))};
  }
}

bool EveryCoordinateIsFinite(const host::Document& document) {
  for (const host::DocumentPath& path : document.paths()) {
    for (const PathSegment& s : path.segments) {
      for (float f : {s.p.h, s.p.v, s.in.h, s.in.v, s.out.h, s.out.v}) {
        if (!std::isfinite(f)) return false;
      }
    }
  }
  return true;
}

TEST(SessionRobustness, RandomEditsKeepTheArtworkFiniteAndUndoAllTheWayBack) {
  for (unsigned seed = 1; seed <= 4; ++seed) {
    std::mt19937 random(seed);
    std::ostringstream out;
    Session session({test::PluginPath(), ""}, out);
    for (const char* line :
         {"document", "path 0 0 ; 100 200 in 90 200 out 130 200 ; 200 300 corner ; 250 0",
          "path closed 0 0 in 0 -10 out 0 10 ; 50 50 ; 100 0 in 110 0", "menu",
          "click inOutSectionTriangle", "click pathSectionTriangle"}) {
      session.Execute(SplitScriptLine(line));
    }
    // The document before each step that made an undo step: undoing must give each back.
    const host::Document& document = *session.host().document();
    std::vector<std::vector<host::DocumentPath>> beforeEachStep;
    int edits = 0;
    for (int step = 0; step < 400; ++step) {
      std::vector<std::string> command;
      if (step % 25 == 0) {
        command = {"select", std::to_string(step / 25 % 2), std::to_string(step / 50 % 3)};
      } else {
        command = RandomEdit(random);
      }
      std::vector<host::DocumentPath> before = document.paths();
      const size_t steps = document.history().UndoCount();
      try {
        session.Execute(command);
        ++edits;
      } catch (const ScriptError&) {
      } catch (const std::invalid_argument&) {
        // A disabled field or arrow: a retracted handle has no direction to step.
      }
      if (document.history().UndoCount() > steps) beforeEachStep.push_back(std::move(before));
      ASSERT_TRUE(EveryCoordinateIsFinite(document))
          << "seed " << seed << " after " << command[0] << " " << command[1];
    }
    EXPECT_GT(edits, 300) << "seed " << seed;
    EXPECT_GT(beforeEachStep.size(), 100u) << "seed " << seed;
    EXPECT_EQ(document.history().UndoText(), "Undo Tavrix");
    while (!beforeEachStep.empty()) {
      ASSERT_TRUE(session.host().Undo());
      const std::vector<host::DocumentPath>& expected = beforeEachStep.back();
      const std::vector<host::DocumentPath>& now = document.paths();
      ASSERT_EQ(now.size(), expected.size());
      for (size_t p = 0; p < expected.size(); ++p) {
        ASSERT_EQ(now[p].segments.size(), expected[p].segments.size());
        ASSERT_EQ(0, std::memcmp(now[p].segments.data(), expected[p].segments.data(),
                                 expected[p].segments.size() * sizeof(PathSegment)))
            << "seed " << seed << ", path " << p << ", " << beforeEachStep.size() << " steps left";
        ASSERT_EQ(now[p].selection, expected[p].selection)
            << "seed " << seed << ", path " << p << ", " << beforeEachStep.size() << " steps left";
      }
      beforeEachStep.pop_back();
    }
    EXPECT_FALSE(session.host().Undo());
    EXPECT_NO_THROW(session.Execute({"expect", "alerts", "0"})) << "seed " << seed;
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
