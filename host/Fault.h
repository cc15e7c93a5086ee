// What went wrong, in words for a person, or nothing: the answer of a check that either passes
// or says why not. It cannot be dropped unread.
#pragma once

#include <string>
#include <utility>

namespace tavrix::host {

class [[nodiscard]] Fault {
 public:
  // No fault.
  Fault() = default;
  // `reason` must say something: an empty reason would read as success.
  explicit Fault(std::string reason) : reason_(std::move(reason)) {
    if (reason_.empty()) reason_ = "an unexplained fault";
  }
  // Whether there is a fault.
  explicit operator bool() const { return !reason_.empty(); }
  const std::string& reason() const { return reason_; }

 private:
  std::string reason_;
};

}  // namespace tavrix::host
