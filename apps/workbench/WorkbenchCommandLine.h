// What a person asked the workbench command to do.
#pragma once

#include <string>
#include <vector>

#include "workbench/Workbench.h"

namespace tavrix::workbench {

struct WorkbenchCommandLine {
  WorkbenchOptions options;
  std::string playPath;        // a session script to play once the window is open
  std::string screenshotPath;  // write the window after it, as PNG, and quit
  bool help = false;
  std::string helpText;
  std::string error;  // non-empty when the arguments make no sense
};

WorkbenchCommandLine ParseWorkbenchCommandLine(const std::vector<std::string>& arguments);

}  // namespace tavrix::workbench
