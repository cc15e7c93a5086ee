// What a command did, in words for a person, for the status line: "Moved anchor 3 of path 2 to
// 140 pt, −100 pt", "X: “abc” is not a number, kept 190 pt". Never a session command.
#pragma once

#include <string>
#include <vector>

#include "session/Session.h"

namespace tavrix::workbench {

// Read from the session once the command has run; `printed` is what the session printed for it.
// Empty when there is nothing worth saying (a scroll or a zoom: the status line shows the view
// on its right).
std::string StatusWords(const std::vector<std::string>& words, app::Session& session,
                        const std::string& printed);

// A length in points in the document's units, as a person reads it: "140 pt", "−3.5 mm" (with a
// minus sign), at most three decimals.
std::string LengthWords(double points, int16_t rulerUnits);

// The palette's label for an item a person changes ("X", "In Y", "Corner"); the session's name
// for an item without one.
std::string ItemLabel(app::Session& session, int itemId);

}  // namespace tavrix::workbench
