// Runs a piece of the validator in a child process, so that a plug-in that crashes fails a
// check instead of ending the validator.
#pragma once

#include <functional>
#include <string>

namespace tavrix::validator {

struct ChildOutcome {
  bool passed = false;
  std::string message;  // why it failed: the check's words, a signal, a time-out
};

// `body` answers an empty text when it passes, otherwise why not. Anything it throws is a
// failure with the exception's text; a signal or the time limit ends the child and is one too.
ChildOutcome RunInChild(const std::function<std::string()>& body, int timeLimitSeconds);

}  // namespace tavrix::validator
