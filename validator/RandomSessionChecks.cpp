// Seeded random sessions over the whole session language: many documents, every mode, edits,
// arrows, boxes, selection, artwork changes by another hand, undo and redo. After every action
// the artwork is finite and every change is named "Undo Tavrix"; every so often all steps are
// undone, each giving back the document it changed, then redone.
#include <random>

#include "host/Host.h"
#include "session/ScriptWords.h"
#include "validator/ReferenceSession.h"
#include "validator/ValidatorCheck.h"

namespace tavrix::validator {
namespace {

class RandomPerson {
 public:
  explicit RandomPerson(uint32_t seed) : random_(seed) {}

  std::vector<std::string> NextAction() {
    switch (Pick(20)) {
      case 0:
        return Pick(40) == 0 ? std::vector<std::string>{"document", Pick(2) ? "pt" : "mm"}
                             : NextAction();
      case 1:
        return Path();
      case 2:
      case 3:
        return {"select", Number(3), Number(6)};
      case 4:
        return {Pick(3) == 0 ? "deselect" : "select-paths", Number(3)};
      case 5:
        return {"type", Field(), Text()};
      case 6:
      case 7:
      case 8:
        return Spin();
      case 9:
        return {"click", Pick(2) ? "cornerCheckbox" : "lockAngleCheckbox"};
      case 10:
        return {"cmd-click", Pick(2) ? (Pick(2) ? "inXField" : "inYField")
                                     : (Pick(2) ? "outXField" : "outYField")};
      case 11:
        return {"flyout", std::to_string(1 + Pick(12))};
      case 12:
        return Window();
      case 13:
        return {"menu"};
      case 14:
        return {Pick(2) ? "undo" : "redo"};
      case 15:
        return {"click", Pick(2) ? "inOutSectionTriangle" : "pathSectionTriangle"};
      case 16:
        return View();
      case 17:
        return {"increment", std::to_string(1 + Pick(10))};
      case 18:
        return {"units", Pick(2) ? "pt" : "in"};
      default:
        return Change();
    }
  }

  static bool ChangesStructure(const std::vector<std::string>& action) {
    const std::string& c = action[0];
    return c == "document" || c == "path" || c == "delete" || c == "delete-anchor" ||
           c == "insert-anchor" || c == "close-document";
  }

 private:
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  std::string Number(int n) { return std::to_string(Pick(n)); }
  std::string Coordinate() { return std::to_string(Pick(600) - 300); }
  std::string Field() {
    static const char* kFields[] = {"pointXField", "pointYField", "pointIndexField", "inXField",
                                    "inYField",    "outXField",   "outYField"};
    return kFields[Pick(7)];
  }
  std::string Text() {
    static const char* kTexts[] = {"0",      "-5",   "12.5",    "1e9", "abc", "",  "nan",
                                   "10 + 5", "72/4", "-0.0004", "359", "3mm", "-1"};
    return kTexts[Pick(13)];
  }
  std::vector<std::string> Path() {
    std::vector<std::string> path = {"path"};
    if (Pick(2)) path.push_back("closed");
    for (int i = 0, n = 1 + Pick(6); i < n; ++i) {
      path.push_back(Coordinate());
      path.push_back(Coordinate());
      if (Pick(2)) path.insert(path.end(), {"in", Coordinate(), Coordinate()});
      if (Pick(2)) path.insert(path.end(), {"out", Coordinate(), Coordinate()});
      path.push_back(";");
    }
    return path;
  }
  std::vector<std::string> Spin() {
    static const char* kSpins[] = {"pointXSpin", "pointYSpin", "pointIndexSpin", "inXSpin",
                                   "inYSpin",    "outXSpin",   "outYSpin"};
    std::vector<std::string> spin = {"spin", kSpins[Pick(7)], Pick(2) ? "up" : "down"};
    if (Pick(3) == 0) spin.push_back("shift");
    if (Pick(3) == 0) spin.push_back("ctrl");
    if (Pick(5) == 0) spin.insert(spin.end(), {"hold", std::to_string(1 + Pick(4))});
    return spin;
  }
  std::vector<std::string> Window() {
    switch (Pick(6)) {
      case 0:
        return {"window", "collapse"};
      case 1:
        return {"window", "expand"};
      case 2:
        return {"window", "show"};
      case 3:
        return {"window", "hide"};
      case 4:
        return {"window", "move", Coordinate(), Coordinate()};
      default:
        return {"window", "dock", Pick(2) ? "Tools" : "", Number(4)};
    }
  }
  std::vector<std::string> View() {
    switch (Pick(4)) {
      case 0:
        return {"zoom", std::to_string(1 + Pick(4))};
      case 1:
        return {"scroll", Coordinate(), Coordinate()};
      case 2:
        return {"print"};
      default:
        return {"redraw"};
    }
  }
  std::vector<std::string> Change() {
    switch (Pick(4)) {
      case 0:
        return {"delete", Number(3)};
      case 1:
        return {"delete-anchor", Number(3), Number(6)};
      case 2:
        return {"insert-anchor", Number(3), Number(6), Coordinate(), Coordinate()};
      default:
        return Pick(10) == 0 ? std::vector<std::string>{"close-document"} : Path();
    }
  }

  std::mt19937 random_;
};

int ActionsAtLevel(int level) {
  static const int kActions[] = {0,     2000,   5000,   5000,   10000,  20000,
                                 50000, 100000, 200000, 500000, 1000000};
  return kActions[level];
}

void RandomSessions(const CheckContext& context) {
  app::Session session({context.pluginPath, ""}, context.log);
  host::Host& host = session.host();
  RandomPerson person(context.seed);
  // The document before each undo step since the history was last checked.
  std::vector<std::vector<host::DocumentPath>> beforeEachStep;
  const auto checkHistory = [&](int action) {
    if (host.document() == nullptr) return;
    const std::vector<host::DocumentPath> now = host.document()->paths();
    const size_t steps = beforeEachStep.size();
    for (size_t i = steps; i-- > 0;) {
      Require(host.Undo(), "action " + std::to_string(action) + ": fewer undo steps than edits");
      Require(SameDocument(host.document()->paths(), beforeEachStep[i]),
              "action " + std::to_string(action) + ": undo did not give back the document");
    }
    for (size_t i = 0; i < steps; ++i) host.Redo();
    // Redo gives back the anchors; the selection is the last step's, not one made since.
    Require(SameDocument(host.document()->paths(), now, false),
            "action " + std::to_string(action) + ": redo did not give back the document");
    beforeEachStep.clear();
  };
  session.Execute({"document"});
  session.Execute({"menu"});
  const int actions = ActionsAtLevel(context.level);
  for (int action = 1; action <= actions; ++action) {
    const std::vector<std::string> words = person.NextAction();
    if (RandomPerson::ChangesStructure(words) || words[0] == "undo" || words[0] == "redo" ||
        action % 500 == 0) {
      checkHistory(action);
    }
    std::vector<host::DocumentPath> before;
    size_t steps = 0;
    if (host.document() != nullptr) {
      before = host.document()->paths();
      steps = host.document()->history().UndoCount();
    }
    try {
      session.Execute(words);
    } catch (const std::exception&) {
      // An action a person could not take just then.
    }
    if (words[0] == "undo" || words[0] == "redo" || RandomPerson::ChangesStructure(words)) {
      beforeEachStep.clear();  // the history was rewound or changed: start a new record
    } else if (host.document() != nullptr && host.document()->history().UndoCount() > steps) {
      beforeEachStep.push_back(std::move(before));
    }
    const std::string unsound = UnsoundArtwork(host);
    Require(unsound.empty(), "action " + std::to_string(action) + ": " + unsound);
    if (host.document() != nullptr) {
      const std::string name = host.document()->history().UndoText();
      Require(name.empty() || name == "Undo Tavrix",
              "action " + std::to_string(action) + ": a change named \"" + name + "\"");
    }
  }
  Require(host.alerts().ErrorCount() == 0, "an alert was shown");
  Require(host.misuse().empty(), host.misuse().Describe());
}

}  // namespace

std::vector<ValidatorCheck> RandomSessionChecks() {
  return {
      {"random.sessions",
       "Seeded random sessions over every command, many documents, every mode (2,000 actions at "
       "level 1, 20,000 at 5, a million at 10): no crash, no alert, finite artwork, every change "
       "named \"Undo Tavrix\", and undo giving back each step's document, redo the last",
       1, &RandomSessions},
  };
}

}  // namespace tavrix::validator
