#include "validator/ChildProcess.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <iostream>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace tavrix::validator {
namespace {

// The child's last words: a verdict line, so that a child that ends any other way (exit(0)
// from a plug-in, a signal, a sanitizer's own exit) never counts as a pass.
constexpr char kPassed[] = "\nPASSED\n";
constexpr char kFailed[] = "\nFAILED\n";

void WriteAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t wrote = write(fd, text.data() + done, text.size() - done);
    if (wrote <= 0) {
      if (wrote < 0 && errno == EINTR) continue;
      return;
    }
    done += static_cast<size_t>(wrote);
  }
}

bool EndsWith(const std::string& text, const char* tail) {
  const size_t length = std::strlen(tail);
  return text.size() >= length && text.compare(text.size() - length, length, tail) == 0;
}

[[noreturn]] void RunChild(const std::function<std::string()>& body, int channel) {
  std::string why = VerdictOf(body);
#if defined(__SANITIZE_ADDRESS__)
  // _exit skips the leak check the sanitizer makes at exit: make it here.
  if (why.empty() && __lsan_do_recoverable_leak_check() != 0) why = "memory was leaked";
#endif
  WriteAll(channel, why + (why.empty() ? kPassed : kFailed));
  close(channel);
  std::cout.flush();
  std::fflush(nullptr);
  _exit(0);
}

}  // namespace

ChildOutcome RunInChild(const std::function<std::string()>& body, int timeLimitSeconds) {
  // A caller that ignores SIGCHLD would make the child's status unreadable.
  signal(SIGCHLD, SIG_DFL);
  int channel[2];
  if (pipe(channel) != 0)
    return {false, std::string("cannot make a pipe: ") + std::strerror(errno)};
  std::cout.flush();
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child < 0) {
    close(channel[0]);
    close(channel[1]);
    return {false, std::string("cannot start a child process: ") + std::strerror(errno)};
  }
  if (child == 0) {
    close(channel[0]);
    setpgid(0, 0);  // its own group: on a time-out, it goes with whatever it started
    RunChild(body, channel[1]);
  }
  setpgid(child, child);
  close(channel[1]);

  // Read until the child has ended or the time is up, whatever the child left running: a
  // grandchild still holding the pipe keeps nobody waiting.
  std::string text;
  bool timedOut = false;
  bool ended = false;
  int status = 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeLimitSeconds);
  const auto drain = [&](int waitMilliseconds) {
    pollfd waiting{channel[0], POLLIN, 0};
    while (poll(&waiting, 1, waitMilliseconds) > 0) {
      char buffer[4096];
      const ssize_t got = read(channel[0], buffer, sizeof buffer);
      if (got <= 0) return;
      text.append(buffer, static_cast<size_t>(got));
      waitMilliseconds = 0;
    }
  };
  while (!ended) {
    if (std::chrono::steady_clock::now() >= deadline) {
      timedOut = true;
      break;
    }
    drain(50);
    const pid_t waited = waitpid(child, &status, WNOHANG);
    if (waited == child) {
      ended = true;
    } else if (waited < 0 && errno != EINTR) {
      close(channel[0]);
      kill(-child, SIGKILL);
      return {false, "the child process could not be waited for"};
    }
  }
  drain(0);
  close(channel[0]);
  // Whatever the child started goes with it.
  kill(-child, SIGKILL);
  if (timedOut) {
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
  }
  if (timedOut) return {false, "took longer than " + std::to_string(timeLimitSeconds) + " s"};
  if (EndsWith(text, kPassed) && WIFEXITED(status) && WEXITSTATUS(status) == 0) return {true, ""};
  if (EndsWith(text, kFailed)) return {false, text.substr(0, text.size() - std::strlen(kFailed))};
  if (WIFSIGNALED(status)) {
    const int signal = WTERMSIG(status);
    return {false,
            "crashed with signal " + std::to_string(signal) + " (" + strsignal(signal) + ")"};
  }
  // The sanitizers end a crashing process with a status of their own rather than the signal.
  return {false, "crashed: ended without finishing, exit status " +
                     std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1)};
}

}  // namespace tavrix::validator
