#include "tavrix-host/InteractiveSession.h"

#include <csignal>
#include <iostream>
#include <set>
#include <string>

#include "session/ScriptWords.h"
#include "tavrix-host/PromptInput.h"

namespace tavrix::app {
namespace {

#ifdef SIGHUP
constexpr int kInputGone = SIGHUP;
#else
constexpr int kInputGone = SIGTERM;  // Windows has no hangup signal
#endif

// Ctrl-Ds in a row after which the input is taken to be gone rather than a person pressing it:
// a terminal that closed without a hangup would otherwise loop here for ever.
constexpr int kEndsMeaningGone = 20;

std::string DrawingName(const Session& session) {
  const std::string file = session.DrawingFileName();
  return file.empty() ? "The new drawing" : file;
}

// Where the drawing goes when the session must end with its changes unsaved: beside its file as
// editors keep theirs, or in the current folder for a drawing that has none.
std::string RescueFileName(const Session& session) {
  const std::string file = session.DrawingFileName();
  return (file.empty() ? std::string("untitled.svg") : file) + ".save";
}

// The terminal closed or the session was told to stop: the drawing's unsaved changes are kept
// beside it and the preferences written; what happened is said on standard error.
int EndOnSignal(Session& session, int signal, std::ostream& out) {
  out.flush();
#ifdef SIGHUP
  const char* why = signal == SIGHUP ? "the terminal closed" : "told to stop";
#else
  const char* why = "told to stop";
#endif
  if (session.HasUnsavedChanges()) {
    const std::string rescue = RescueFileName(session);
    try {
      session.SaveCopy(rescue);
      std::cerr << "tavrix-host: " << why << "; the unsaved changes of " << DrawingName(session)
                << " are in " << rescue << "\n";
    } catch (const std::exception& error) {
      std::cerr << "tavrix-host: " << why
                << "; the unsaved changes could not be kept: " << Excerpt(error.what(), 1000)
                << "\n";
    }
  } else {
    std::cerr << "tavrix-host: " << why << "; nothing was left unsaved\n";
  }
  if (!session.Finish()) std::cerr << "tavrix-host: the preferences could not be kept\n";
  return 128 + signal;
}

// One line telling why leaving now is refused, and how to go on.
void RefuseToDropChanges(const Session& session, const std::string& discard, std::ostream& out) {
  out << DrawingName(session) << " has unsaved changes: 'save' keeps them, '" << discard
      << "' discards them\n";
}

// What one line typed at the prompt asks for, after the prompt's own words are answered.
enum class LineOutcome { Go, Leave };

// Runs one typed line: the prompt's own words (quit, quit!, open over unsaved work), or a line of
// the session language with the palette shown after an action. A failure is told, not thrown.
LineOutcome RunTypedLine(Session& session, PromptInput& input, const std::string& text,
                         std::ostream& out) {
  try {
    std::vector<std::string> words = SplitScriptLine(text);
    if (words.empty()) return LineOutcome::Go;
    input.Remember(text);
    const std::string& command = words[0];
    if (command == "quit!" || command == "exit!") return LineOutcome::Leave;
    if (command == "quit" || command == "exit") {
      if (!session.HasUnsavedChanges()) return LineOutcome::Leave;
      RefuseToDropChanges(session, "quit!", out);
      return LineOutcome::Go;
    }
    if (command == "open" && session.HasUnsavedChanges()) {
      RefuseToDropChanges(session, words.size() == 2 ? "open! " + words[1] : "open! FILE", out);
      return LineOutcome::Go;
    }
    if (command == "open!") words[0] = "open";
    session.Execute(words);
    if (IsAction(words[0])) session.ShowPalette(out);
  } catch (const std::exception& error) {
    out << Excerpt(error.what(), 1000) << "\n";
  }
  return LineOutcome::Go;
}

}  // namespace

bool IsAction(const std::string& command) {
  static const std::set<std::string> kLooksOnly = {"print", "expect", "help", "render", "save"};
  return kLooksOnly.count(command) == 0;
}

int RunInteractive(Session& session, std::ostream& out) {
  PromptInput input;
  out << "Tavrix in the stand-in host. 'help' lists the commands; 'quit' or Ctrl-D ends.\n";
  session.ShowPalette(out);
  int endsInARow = 0;
  for (;;) {
    out.flush();
    const PromptLine line = input.Read("tavrix> ");
    if (line.end == LineEnd::Ending) return EndOnSignal(session, input.EndingSignal(), out);
    if (line.end == LineEnd::Interrupted) {
      // Ctrl-C drops the line being typed, as shells do.
      out << "\n";
      continue;
    }
    if (line.end == LineEnd::InputEnded) {
      out << "\n";
      if (!session.HasUnsavedChanges()) break;
      if (++endsInARow >= kEndsMeaningGone) return EndOnSignal(session, kInputGone, out);
      RefuseToDropChanges(session, "quit!", out);
      continue;
    }
    endsInARow = 0;
    if (RunTypedLine(session, input, line.text, out) == LineOutcome::Leave) break;
  }
  // A save that did not happen is a failure of the session, as it is in a script.
  return session.SaveHasFailed() ? 1 : 0;
}

}  // namespace tavrix::app
