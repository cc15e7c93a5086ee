// GoogleTest's Notification, for a toolchain whose thread model has no std::mutex (mingw-w64's
// win32 model, the one the plug-in is built with). GoogleTest lets a port provide it
// (GTEST_HAS_NOTIFICATION_); only GoogleTest's own threading tests use it, and these tests
// start no threads.
#pragma once

#include <atomic>

namespace testing {
namespace internal {

class Notification {
 public:
  Notification() = default;
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;

  void Notify() { notified_.store(true); }
  void WaitForNotification() {
    while (!notified_.load()) {
    }
  }

 private:
  std::atomic<bool> notified_{false};
};

}  // namespace internal
}  // namespace testing
