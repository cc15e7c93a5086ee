// An X server of the test process's own, on a display number Xvfb picks, so that the
// workbench's window opens on a machine without a screen.
#pragma once

#include <sys/types.h>

#include <string>

namespace tavrix::workbench::test {

class XvfbServer {
 public:
  // Starts Xvfb and waits until it takes connections; error() says why when it could not.
  XvfbServer();
  // Stops it.
  ~XvfbServer();
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;

  bool running() const { return pid_ > 0; }
  const std::string& display() const { return display_; }  // ":N"
  const std::string& error() const { return error_; }

 private:
  pid_t pid_ = -1;
  std::string display_;
  std::string error_;
};

// The test process's server, started when first asked for.
XvfbServer& SharedXvfb();

// Whether a test that needs a window should skip where no X server starts: only when
// TAVRIX_SKIP_WINDOW_TESTS is set, so that a missing Xvfb fails the run rather than hiding it.
bool SkipWithoutXServer();

}  // namespace tavrix::workbench::test
