// The few file-system steps the preference file takes, each done the way its platform allows:
// reading a file without waiting on a pipe given by mistake, and replacing a file whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "host/Fault.h"

namespace tavrix::host {

class InputFile {
 public:
  enum class State { Open, Missing, Unreadable };

  // Opens without blocking. Anything but a regular file is Unreadable.
  explicit InputFile(const std::string& path);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  State state() const { return state_; }
  // Why the file cannot be read, in the system's words.
  const std::string& problem() const { return problem_; }
  // Appends up to `limit` bytes to `out`; false, with problem() set, on a failure.
  bool ReadUpTo(std::string& out, size_t limit);

 private:
  intptr_t handle_ = -1;
  State state_ = State::Unreadable;
  std::string problem_;
};

// The path that a rename must replace: a symbolic link's target, so that the link stays.
std::string ReplacementTarget(const std::string& path);

// Writes `text` to a temporary file beside `target` (with the target's permissions) and renames
// it over `target`; with `keepAside`, the old file is first moved to `target`.corrupt, once the
// new text is safely written. Answers what failed, and why; the target is then as it was.
Fault ReplaceWithText(const std::string& target, const std::string& text, bool keepAside);

}  // namespace tavrix::host
