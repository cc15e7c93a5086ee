// Where the programs keep a person's settings when no --prefs is given.
#pragma once

#include <string>

namespace tavrix::app {

// $XDG_CONFIG_HOME/tavrix/preferences.json, or ~/.config/tavrix/preferences.json when that is
// unset or not an absolute path (as the XDG base directories ask); on Windows,
// %APPDATA%\Tavrix\preferences.json. Empty when no home is known: no preference file then.
std::string DefaultPreferencesFile();

// Makes the folder of a preference file, readable by its owner alone, if it is missing. Returns
// an empty text, or why it could not.
std::string MakePreferencesFolder(const std::string& file);

}  // namespace tavrix::app
