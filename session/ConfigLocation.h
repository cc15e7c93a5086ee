// Where a person's preferences are kept when no --prefs is given: the XDG base directory for
// configuration, as desktop programs on this platform keep theirs.
#pragma once

#include <string>

namespace tavrix::app {

// $XDG_CONFIG_HOME/tavrix/preferences.json; where XDG_CONFIG_HOME is unset, empty or not an
// absolute path (the specification says to ignore such a value), ~/.config/tavrix/ ($HOME's).
// Empty when neither can be found (no HOME either): then nothing is kept.
std::string DefaultPreferencesFile();

// Makes the file's folder (and its parents) if it does not exist yet, so that the preferences
// can be written there; false, with the reason in `error`, when it cannot be made.
bool MakePreferencesFolder(const std::string& file, std::string& error);

}  // namespace tavrix::app
