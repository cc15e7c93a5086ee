// A program run to its end with some environment variables set, its output kept.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace tavrix::workbench::test {

struct ProgramRun {
  int exitCode = -1;  // -1: it did not end by itself in time, or could not start
  std::string out;
  std::string err;
};

// Kills it after `seconds`. An empty value in `environment` removes the variable.
ProgramRun RunProgram(const std::string& path, const std::vector<std::string>& arguments,
                      const std::map<std::string, std::string>& environment, int seconds = 60);

}  // namespace tavrix::workbench::test
