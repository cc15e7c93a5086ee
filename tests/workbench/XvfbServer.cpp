#include "workbench/XvfbServer.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>

namespace tavrix::workbench::test {
namespace {

constexpr int kStartSeconds = 20;

}  // namespace

XvfbServer::XvfbServer() {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) {
    error_ = "cannot make a pipe for Xvfb";
    return;
  }
  const pid_t child = fork();
  if (child < 0) {
    close(pipeEnds[0]);
    close(pipeEnds[1]);
    error_ = "cannot start a process for Xvfb";
    return;
  }
  if (child == 0) {
    // Xvfb writes the display number it chose to the pipe once it takes connections.
    close(pipeEnds[0]);
    const int quiet = open("/dev/null", O_WRONLY);
    if (quiet >= 0) {
      dup2(quiet, STDOUT_FILENO);
      dup2(quiet, STDERR_FILENO);
    }
    const std::string fd = std::to_string(pipeEnds[1]);
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1600x1000x24", "-nolisten",
           "tcp", "-noreset", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(pipeEnds[1]);
  std::string number;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kStartSeconds);
  bool ended = false;
  while (!ended && std::chrono::steady_clock::now() < deadline) {
    pollfd wait{pipeEnds[0], POLLIN, 0};
    if (poll(&wait, 1, 200) <= 0) continue;
    char c = 0;
    const ssize_t got = read(pipeEnds[0], &c, 1);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0 || c == '\n') ended = true;
    if (got == 1 && c != '\n') number += c;
  }
  close(pipeEnds[0]);
  if (!number.empty()) {
    pid_ = child;
    display_ = ":" + number;
    return;
  }
  kill(child, SIGKILL);
  int status = 0;
  waitpid(child, &status, 0);
  error_ = WIFEXITED(status) && WEXITSTATUS(status) == 127
               ? "Xvfb is not installed (scripts/install-deps installs the xvfb package)"
               : "Xvfb did not start within " + std::to_string(kStartSeconds) + " seconds";
}

XvfbServer::~XvfbServer() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  int status = 0;
  waitpid(pid_, &status, 0);
}

XvfbServer& SharedXvfb() {
  static XvfbServer server;
  return server;
}

bool SkipWithoutXServer() {
  const char* skip = std::getenv("TAVRIX_SKIP_WINDOW_TESTS");
  return skip != nullptr && *skip != '\0';
}

}  // namespace tavrix::workbench::test
