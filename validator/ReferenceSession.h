// A session with every kind of user action on the palette and the artwork, and the helpers the
// checks share to run one and judge what it left.
#pragma once

#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "session/Session.h"

namespace tavrix::validator {

// The lines of the reference session; with `restart`, also quitting and starting again.
std::vector<std::string> ReferenceSessionLines(bool withRestart);

struct SessionRun {
  std::unique_ptr<app::Session> session;  // null when the plug-in did not start
  std::ostringstream output;
  std::string startFailure;  // why the plug-in did not start
  int linesFailed = 0;
};

// Starts a session (with `beforeStart` armed) and plays the lines, going on past lines that fail
// as a person would after a failure; the session stays open to be examined.
std::unique_ptr<SessionRun> PlaySession(const std::string& pluginPath,
                                        const std::vector<std::string>& lines,
                                        std::function<void(host::Host&)> beforeStart = {});

// Whether two states of a document hold the same anchors bit for bit, and with `selection` the
// same selected anchors too.
bool SameDocument(const std::vector<host::DocumentPath>& a,
                  const std::vector<host::DocumentPath>& b, bool selection = true);

// Why the document is not sound (a non-finite coordinate), or empty.
std::string UnsoundArtwork(const host::Host& host);

}  // namespace tavrix::validator
