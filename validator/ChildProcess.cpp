#include "validator/ChildProcess.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

namespace tavrix::validator {
namespace {

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

std::string ReadAll(int fd) {
  std::string text;
  char buffer[4096];
  for (;;) {
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return text;
    text.append(buffer, static_cast<size_t>(got));
  }
}

}  // namespace

ChildOutcome RunInChild(const std::function<std::string()>& body, int timeLimitSeconds) {
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
    alarm(static_cast<unsigned>(timeLimitSeconds));
    std::string why;
    try {
      why = body();
    } catch (const std::exception& error) {
      why = error.what();
      if (why.empty()) why = "an exception without a message";
    } catch (...) {
      why = "an exception that is not a std::exception";
    }
    WriteAll(channel[1], why);
    close(channel[1]);
    std::cout.flush();
    std::fflush(nullptr);
    _exit(why.empty() ? 0 : 1);
  }
  close(channel[1]);
  const std::string message = ReadAll(channel[0]);
  close(channel[0]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFSIGNALED(status)) {
    const int signal = WTERMSIG(status);
    if (signal == SIGALRM)
      return {false, "took longer than " + std::to_string(timeLimitSeconds) + " s"};
    return {false,
            "crashed with signal " + std::to_string(signal) + " (" + strsignal(signal) + ")"};
  }
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0 && message.empty()) return {true, ""};
  // The sanitizers end a crashing process with a status of their own rather than the signal.
  return {false, message.empty() ? "crashed: ended without finishing, exit status " +
                                       std::to_string(WEXITSTATUS(status))
                                 : message};
}

}  // namespace tavrix::validator
