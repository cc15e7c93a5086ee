// Where the programs find the plug-in when no --plugin is given.
#pragma once

#include <string>

namespace tavrix::app {

// The plug-in file that a build puts beside the programs: ../plug-ins/Tavrix 2.0.aip.
std::string DefaultPluginPath();

}  // namespace tavrix::app
