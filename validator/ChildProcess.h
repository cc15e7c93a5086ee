// Runs a piece of the validator in a child process, so that a plug-in that crashes fails a
// check instead of ending the validator.
#pragma once

#include <exception>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace tavrix::validator {

struct ChildOutcome {
  bool passed = false;
  std::string message;  // why it failed: the check's words, a signal, a time-out
};

// Runs a check's body: an empty text when it passes, otherwise why not, what it throws included.
inline std::string VerdictOf(const std::function<std::string()>& body) {
  try {
    return body();
  } catch (const std::exception& error) {
    return *error.what() != '\0' ? error.what() : "an exception without a message";
  } catch (...) {
    return "an exception that is not a std::exception";
  }
}

#ifdef _WIN32

// Windows cannot fork: the child is a new process of `program` with `arguments`, which runs the
// body through ReportVerdict. A crash (an exception code for an exit status), an exit before
// the verdict or the time limit is a failure; the time limit ends whatever the child started.
ChildOutcome RunProgramInChild(const std::string& program,
                               const std::vector<std::string>& arguments, int timeLimitSeconds);
// The child's side: runs `body` (as RunInChild's body) and writes its verdict to `out` last.
// Answers the exit status for the child's main.
int ReportVerdict(const std::function<std::string()>& body, std::ostream& out);
// The running program's own file.
std::string ThisProgram();

#else

// `body` answers an empty text when it passes, otherwise why not. Anything it throws is a
// failure with the exception's text; a signal or the time limit ends the child and is one too.
ChildOutcome RunInChild(const std::function<std::string()>& body, int timeLimitSeconds);

#endif

}  // namespace tavrix::validator
