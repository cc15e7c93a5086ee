// What a person asked the host command to do.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tavrix::app {

struct CommandLine {
  std::string command = "report";
  std::string pluginPath;       // empty: the plug-in built beside this command
  std::string preferencesPath;  // empty: no preference file
  std::string scriptPath;       // for "run"; "-" is standard input
  std::string documentPath;     // for "open"
  // For "validate".
  uint32_t seed = 0;  // 0: a new one
  int level = 5;
  std::string junitPath;
  std::vector<std::string> skip;
  std::string childCheck;  // Windows: the one check a validator child process runs
  bool help = false;
  std::string helpText;  // the help of the command it was asked for
  std::string error;     // non-empty when the arguments make no sense
};

CommandLine ParseCommandLine(const std::vector<std::string>& arguments);
// What the command takes, as --help prints it.
std::string UsageText();

}  // namespace tavrix::app
