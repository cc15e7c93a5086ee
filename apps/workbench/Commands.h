// What the window does, said in the session language (`select 0 1`, `spin 4 up shift`), so that
// a click does exactly what the same line of a script does.
#pragma once

#include <string>
#include <vector>

namespace tavrix::workbench {

class Commands {
 public:
  virtual ~Commands() = default;
  // Runs one command; false, after showing the person why, when it could not be done.
  virtual bool Perform(const std::vector<std::string>& words) = 0;
  // Shows the person why something they tried did nothing.
  virtual void Tell(const std::string& text) = 0;
};

// A number as a command's word, exact enough to come back as the same float.
std::string NumberText(double value);

}  // namespace tavrix::workbench
