// A person at a terminal: a prompt with line editing and history that takes the session
// language line by line and shows the palette after each action.
#pragma once

#include <ostream>

#include "tavrix-host/Session.h"

namespace tavrix::app {

// Until `quit` or Ctrl-D. A line that fails says why and the prompt comes back: unlike a
// script, a person's mistake ends nothing. Answers 0.
int RunInteractive(Session& session, std::ostream& out);

// Whether the command changes something a person would want to see the palette again after.
bool IsAction(const std::string& command);

}  // namespace tavrix::app
