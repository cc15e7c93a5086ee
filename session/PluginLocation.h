// Where the programs find the plug-in when no --plugin is given.
#pragma once

#include <string>

namespace tavrix::app {

// The plug-in file beside the programs: ../plug-ins/Tavrix 2.0.aip where a build puts it, or
// ../lib/tavrix/Tavrix 2.0.aip where a package installs it (/usr/bin and /usr/lib/tavrix, or
// the same under any other root). When neither exists, the build's place, for the message.
std::string DefaultPluginPath();

}  // namespace tavrix::app
