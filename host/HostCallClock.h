// Time spent inside the host's suite functions. Kept only while a benchmark runs the clock, so
// that it can tell the plug-in's own time from the stand-in host's.
#pragma once

#include <chrono>
#include <cstdint>

namespace tavrix::host {

struct HostCallClock {
  bool running = false;
  int64_t nanoseconds = 0;
  int64_t calls = 0;
};

// Adds the time from its construction to its end to a running clock.
class TimedHostCall {
 public:
  explicit TimedHostCall(HostCallClock& clock) : clock_(clock.running ? &clock : nullptr) {
    if (clock_ != nullptr) start_ = std::chrono::steady_clock::now();
  }
  ~TimedHostCall() {
    if (clock_ == nullptr) return;
    clock_->nanoseconds += std::chrono::duration_cast<std::chrono::nanoseconds>(
                               std::chrono::steady_clock::now() - start_)
                               .count();
    ++clock_->calls;
  }
  TimedHostCall(const TimedHostCall&) = delete;
  TimedHostCall& operator=(const TimedHostCall&) = delete;

 private:
  HostCallClock* clock_;
  std::chrono::steady_clock::time_point start_;
};

}  // namespace tavrix::host
