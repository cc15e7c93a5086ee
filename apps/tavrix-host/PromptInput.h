// The prompt's reading of a line, and the signals it answers while a person types.
#pragma once

#include <memory>
#include <string>

namespace tavrix::app {

// How a wait for a line ended.
enum class LineEnd {
  Typed,        // a line, in `text`
  InputEnded,   // Ctrl-D, or the input closed
  Interrupted,  // Ctrl-C: the line being typed is dropped
  Ending,       // a hangup, SIGTERM or Ctrl-\ (SIGQUIT): the session must end
};

struct PromptLine {
  LineEnd end = LineEnd::InputEnded;
  std::string text;
};

// For as long as it lives: Ctrl-C, Ctrl-Z, Ctrl-\, a hangup and SIGTERM are noted, not fatal, and
// the old handlers come back after. Characters are read in the terminal's encoding (UTF-8 where the
// locale names none), so that a file name with accents can be typed.
//
// A signal ends the wait for a line at once, also one that comes in the instant before the wait
// begins: signals are held back outside the wait and let in together with it, so that none can
// be noted and then slept through.
class PromptInput {
 public:
  PromptInput();
  ~PromptInput();
  PromptInput(const PromptInput&) = delete;
  PromptInput& operator=(const PromptInput&) = delete;

  PromptLine Read(const char* prompt);
  // Puts a line into the history that the up arrow steps through.
  void Remember(const std::string& line);
  // SIGHUP, SIGTERM or SIGQUIT once one has come (also between lines), else 0.
  int EndingSignal() const;

 private:
  struct Saved;
  std::unique_ptr<Saved> saved_;
};

}  // namespace tavrix::app
