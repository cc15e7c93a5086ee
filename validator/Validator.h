// `tavrix-host validate`: runs every check of the level asked for against a plug-in file, each
// in a child process, prints each with its description and result, then "N passed, N failed",
// and can write a JUnit report for CI systems.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace tavrix::validator {

struct ValidatorOptions {
  std::string pluginPath;
  uint32_t seed = 0;  // 0: a new one, printed so that the run can be replayed
  int level = 5;
  std::string junitPath;          // empty: no report
  std::vector<std::string> skip;  // check names
  int timeLimitSeconds = 600;     // per check
  // Where processes cannot fork (Windows), each check runs in a new process of the host command,
  // `PROGRAM validate --in-child NAME`: this program when empty.
  std::string hostCommand;
};

// Answers 0 when every check that ran passed, 1 otherwise.
int RunValidator(const ValidatorOptions& options, std::ostream& out);

#ifdef _WIN32
// The child process's side of one check: runs it here and writes the verdict that its parent
// reads to `out`. Answers the process's exit status.
int RunCheckInThisProcess(const ValidatorOptions& options, const std::string& name,
                          std::ostream& out);
#endif

}  // namespace tavrix::validator
