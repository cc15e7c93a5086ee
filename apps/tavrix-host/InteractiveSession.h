// A person at a terminal: a prompt with line editing and history that takes the session
// language line by line and shows the palette after each action.
#pragma once

#include <ostream>

#include "session/Session.h"

namespace tavrix::app {

// Until `quit` or Ctrl-D. A line that fails says why and the prompt comes back: unlike a
// script, a person's mistake ends nothing. The drawing's unsaved changes are the person's work:
// `quit`, Ctrl-D and `open` refuse while there are any (`quit!` and `open! FILE` discard them),
// Ctrl-C drops the line being typed, and a hangup, SIGTERM or Ctrl-\ keeps them in NAME.svg.save
// before the session ends. Answers 0; 1 when a save failed; 128 + the signal's number after one.
int RunInteractive(Session& session, std::ostream& out);

// Whether the command changes something a person would want to see the palette again after.
bool IsAction(const std::string& command);

}  // namespace tavrix::app
