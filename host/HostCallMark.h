// Whether the host's own code is running now. A benchmark samples it from a timer signal to
// tell the plug-in's time from the stand-in host's: one counter, cheap enough to keep always,
// where reading a clock around each of the many thousand tiny calls of one action would cost
// more than the calls themselves.
#pragma once

#include <csignal>

namespace tavrix::host {

inline volatile std::sig_atomic_t insideHostCall = 0;

class HostCallMark {
 public:
  HostCallMark() { insideHostCall = insideHostCall + 1; }
  ~HostCallMark() { insideHostCall = insideHostCall - 1; }
  HostCallMark(const HostCallMark&) = delete;
  HostCallMark& operator=(const HostCallMark&) = delete;
};

}  // namespace tavrix::host
