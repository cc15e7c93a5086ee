// The interactive prompt, driven as a person at a terminal drives it: through a pseudo-terminal.
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/PluginBytes.h"

namespace {

class Terminal {
 public:
  // The prompt keeps its preferences under XDG_CONFIG_HOME by default: never the tester's own.
  explicit Terminal(
      const std::vector<std::string>& arguments,
      const std::string& configHome = (tavrix::test::TempFolder() / "prompt-config").string()) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
      argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    child_ = forkpty(&master_, nullptr, nullptr, nullptr);
    if (child_ == 0) {
      setenv("XDG_CONFIG_HOME", configHome.c_str(), 1);
      execv(argv[0], argv.data());
      _exit(127);
    }
  }
  // The program as a shell with job control runs it: in a process group of its own in the
  // foreground, under a parent in the terminal's session, so that Ctrl-Z can stop it.
  struct AsAJob {};
  Terminal(AsAJob, const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
      argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    int jobPipe[2];
    if (pipe(jobPipe) != 0) return;
    const std::string configHome = (tavrix::test::TempFolder() / "prompt-config").string();
    child_ = forkpty(&master_, nullptr, nullptr, nullptr);
    if (child_ == 0) RunAsShell(argv, configHome, jobPipe[1]);
    close(jobPipe[1]);
    if (read(jobPipe[0], &job_, sizeof job_) != static_cast<ssize_t>(sizeof job_)) job_ = -1;
    close(jobPipe[0]);
  }
  ~Terminal() {
    if (child_ > 0 && !waited_) {
      kill(child_, SIGKILL);
      waitpid(child_, nullptr, 0);
    }
    if (master_ >= 0) close(master_);
  }

  bool started() const { return child_ > 0; }
  // The job started AsAJob stopped within 10 s, as its state in /proc says.
  bool JobStopped() const {
    for (int i = 0; i < 1000 && job_ > 0; ++i) {
      std::ifstream stat("/proc/" + std::to_string(job_) + "/stat");
      std::string pid, name, state;
      stat >> pid >> name >> state;
      if (state == "T") return true;
      usleep(10000);
    }
    return false;
  }
  void ContinueJob() const { kill(job_, SIGCONT); }
  bool LineMode() const { return !EditorReading(); }
  // Types once the line editor reads: it puts the terminal out of line mode then, and may
  // throw away what was typed before.
  void Type(const std::string& text) {
    for (int i = 0; i < 2000 && !EditorReading(); ++i) usleep(5000);
    ASSERT_EQ(write(master_, text.data(), text.size()), static_cast<ssize_t>(text.size()));
  }

  // Reads until the text has appeared after what earlier waits consumed; false after 10 s.
  bool WaitFor(const std::string& text) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (;;) {
      const size_t found = seen_.find(text, consumed_);
      if (found != std::string::npos) {
        consumed_ = found + text.size();
        return true;
      }
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0) return false;
      pollfd fd{master_, POLLIN, 0};
      if (poll(&fd, 1, static_cast<int>(left.count())) <= 0) continue;
      char buffer[4096];
      const ssize_t got = read(master_, buffer, sizeof buffer);
      if (got <= 0) return seen_.find(text, consumed_) != std::string::npos;
      seen_.append(buffer, static_cast<size_t>(got));
    }
  }

  // The exit status, or -1 when it has not ended within 10 s.
  int ExitStatus() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
      char buffer[4096];
      pollfd fd{master_, POLLIN, 0};
      if (poll(&fd, 1, 10) > 0) {
        const ssize_t got = read(master_, buffer, sizeof buffer);
        if (got > 0) {
          seen_.append(buffer, static_cast<size_t>(got));
          continue;
        }
      }
      int status = 0;
      if (waitpid(child_, &status, WNOHANG) == child_) {
        waited_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
      // Once the child has closed the terminal, poll answers at once: the child may still be
      // ending, so wait a little instead of spinning through the time allowed.
      usleep(10000);
    }
    return -1;
  }
  const std::string& seen() const { return seen_; }
  // Sends the signal once the line editor waits for a line.
  void Signal(int signal) {
    for (int i = 0; i < 2000 && !EditorReading(); ++i) usleep(5000);
    kill(child_, signal);
  }
  // Sends the signal as soon as the line editor has handed over the line typed.
  void SignalOnceTyped(int signal) {
    for (int i = 0; i < 2000 && EditorReading(); ++i) usleep(100);
    kill(child_, signal);
  }

 private:
  // The shell's part, in the terminal's session: starts the job, gives it the terminal, says
  // its number through the pipe and ends as it ends.
  [[noreturn]] static void RunAsShell(std::vector<char*>& argv, const std::string& configHome,
                                      int jobPipe) {
    signal(SIGTTOU, SIG_IGN);
    const pid_t job = fork();
    if (job == 0) {
      setpgid(0, 0);
      tcsetpgrp(STDIN_FILENO, getpid());
      signal(SIGTTOU, SIG_DFL);
      setenv("XDG_CONFIG_HOME", configHome.c_str(), 1);
      execv(argv[0], argv.data());
      _exit(127);
    }
    setpgid(job, job);
    tcsetpgrp(STDIN_FILENO, job);
    if (write(jobPipe, &job, sizeof job) != static_cast<ssize_t>(sizeof job)) _exit(126);
    int status = 0;
    while (waitpid(job, &status, 0) == -1 && errno == EINTR) {
    }
    _exit(WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
  }

  bool EditorReading() const {
    termios mode{};
    return tcgetattr(master_, &mode) == 0 && (mode.c_lflag & ICANON) == 0;
  }

 private:
  int master_ = -1;
  pid_t child_ = -1;
  pid_t job_ = -1;
  bool waited_ = false;
  std::string seen_;
  size_t consumed_ = 0;
};

TEST(InteractivePrompt, APersonOpensADrawingEditsAPointAndLeavesWithCtrlD) {
  const std::string preferences = (tavrix::test::TempFolder() / "prompt-prefs.json").string();
  Terminal terminal({TAVRIX_HOST_COMMAND, "--plugin", tavrix::test::PluginPath(), "--prefs",
                     preferences, "open", TAVRIX_SAMPLE_DRAWING});
  ASSERT_TRUE(terminal.started());
  ASSERT_TRUE(terminal.WaitFor("Opened ")) << terminal.seen();
  ASSERT_TRUE(terminal.WaitFor("tavrix> ")) << terminal.seen();
  terminal.Type("menu\n");
  ASSERT_TRUE(terminal.WaitFor("Palette \"Tavrix\": visible")) << terminal.seen();
  // The hull's third anchor: (120, 170) in a group moved by (70, 40).
  terminal.Type("select 1 2\n");
  ASSERT_TRUE(terminal.WaitFor("[190.000 pt]")) << terminal.seen();
  terminal.Type("spin pointXSpin up shift\n");
  ASSERT_TRUE(terminal.WaitFor("[200.000 pt]")) << terminal.seen();
  // A mistake is told and the prompt comes back.
  terminal.Type("frobnicate\n");
  ASSERT_TRUE(terminal.WaitFor("unknown command 'frobnicate'")) << terminal.seen();
  terminal.Type("help\n");
  ASSERT_TRUE(terminal.WaitFor("save [FILE.svg]")) << terminal.seen();
  ASSERT_TRUE(terminal.WaitFor("tavrix> ")) << terminal.seen();
  // The moved anchor is unsaved work: Ctrl-D does not drop it without a word.
  terminal.Type("\x04");
  ASSERT_TRUE(
      terminal.WaitFor("sailboat.svg has unsaved changes: 'save' keeps them, 'quit!' "
                       "discards them"))
      << terminal.seen();
  ASSERT_TRUE(terminal.WaitFor("tavrix> ")) << terminal.seen();
  terminal.Type("quit!\n");
  EXPECT_EQ(terminal.ExitStatus(), 0) << terminal.seen();
  // The plug-in shut down cleanly: it wrote its preferences.
  EXPECT_TRUE(std::filesystem::exists(preferences));
}

// A copy of the sample drawing in a folder of the test's own, to be edited and saved.
std::string CopyOfSample(const std::string& name) {
  const std::filesystem::path folder = tavrix::test::TempFolder() / name;
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  const std::filesystem::path copy = folder / "boat.svg";
  std::filesystem::copy_file(TAVRIX_SAMPLE_DRAWING, copy);
  return copy.string();
}

std::string Contents(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(InteractivePrompt, UnsavedChangesAreNeverDroppedWithoutAWord) {
  const std::string drawing = CopyOfSample("prompt-unsaved");
  const std::string before = Contents(drawing);
  Terminal terminal({TAVRIX_HOST_COMMAND, "--plugin", tavrix::test::PluginPath(), "open", drawing});
  ASSERT_TRUE(terminal.WaitFor("tavrix> ")) << terminal.seen();
  terminal.Type("delete 0\n");
  ASSERT_TRUE(terminal.WaitFor("tavrix> ")) << terminal.seen();
  terminal.Type("quit\n");
  ASSERT_TRUE(
      terminal.WaitFor("boat.svg has unsaved changes: 'save' keeps them, 'quit!' "
                       "discards them"))
      << terminal.seen();
  terminal.Type("open other.svg\n");
  ASSERT_TRUE(terminal.WaitFor("'open! other.svg' discards them")) << terminal.seen();
  // Saved, the work may be left.
  terminal.Type("save\n");
  ASSERT_TRUE(terminal.WaitFor("Saved ")) << terminal.seen();
  ASSERT_TRUE(terminal.WaitFor("tavrix> ")) << terminal.seen();
  terminal.Type("quit\n");
  EXPECT_EQ(terminal.ExitStatus(), 0) << terminal.seen();
  EXPECT_NE(Contents(drawing), before);
}

TEST(InteractivePrompt, OpenBangDiscardsAndCtrlCDropsTheLineBeingTyped) {
  const std::string drawing = CopyOfSample("prompt-discard");
  const std::string before = Contents(drawing);
  Terminal terminal({TAVRIX_HOST_COMMAND, "--plugin", tavrix::test::PluginPath(), "open", drawing});
  ASSERT_TRUE(terminal.WaitFor("tavrix> ")) << terminal.seen();
  terminal.Type("delete 0\n");
  ASSERT_TRUE(terminal.WaitFor("tavrix> ")) << terminal.seen();
  terminal.Type("open! " + drawing + "\n");
  ASSERT_TRUE(terminal.WaitFor("Opened ")) << terminal.seen();
  ASSERT_TRUE(terminal.WaitFor("tavrix> ")) << terminal.seen();
  terminal.Type("frobn\x03");
  ASSERT_TRUE(terminal.WaitFor("tavrix> ")) << terminal.seen();
  terminal.Type("help\n");
  ASSERT_TRUE(terminal.WaitFor("save [FILE.svg]")) << terminal.seen();
  EXPECT_EQ(terminal.seen().find("frobnhelp"), std::string::npos) << terminal.seen();
  ASSERT_TRUE(terminal.WaitFor("tavrix> ")) << terminal.seen();
  // Nothing changed since the drawing was opened again: quit needs no "!".
  terminal.Type("quit\n");
  EXPECT_EQ(terminal.ExitStatus(), 0) << terminal.seen();
  EXPECT_EQ(Contents(drawing), before);
}

// Once at the prompt, and once in the instant the line typed is being run: a signal that comes
// just before the wait for the next line must end that wait, not be slept through.
TEST(InteractivePrompt, AHangupSigtermOrCtrlBackslashKeepsTheUnsavedChangesBesideTheDrawing) {
  for (const bool atThePrompt : {true, false}) {
    for (const int signal : {SIGHUP, SIGTERM, SIGQUIT}) {
      const std::string name =
          "prompt-signal-" + std::to_string(signal) + (atThePrompt ? "" : "-soon");
      const std::string drawing = CopyOfSample(name);
      const std::string before = Contents(drawing);
      const std::string preferences = drawing + ".prefs.json";
      Terminal terminal({TAVRIX_HOST_COMMAND, "--plugin", tavrix::test::PluginPath(), "--prefs",
                         preferences, "open", drawing});
      ASSERT_TRUE(terminal.WaitFor("tavrix> ")) << terminal.seen();
      terminal.Type("delete 0\n");
      if (atThePrompt) {
        ASSERT_TRUE(terminal.WaitFor("tavrix> ")) << terminal.seen();
        terminal.Signal(signal);
      } else {
        // While the line is handed over or runs: the wait for the next line must not begin.
        terminal.SignalOnceTyped(signal);
      }
      EXPECT_EQ(terminal.ExitStatus(), 128 + signal) << terminal.seen();
      // The drawing itself is as it was; the copy beside it has the change.
      EXPECT_EQ(Contents(drawing), before);
      // Soon after Enter, the line may not have run yet: then it is dropped, as the session
      // ends before it starts, and nothing is left to keep.
      if (atThePrompt || terminal.seen().find("nothing was left unsaved") == std::string::npos) {
        EXPECT_NE(terminal.seen().find("boat.svg.save"), std::string::npos) << terminal.seen();
        const std::string rescued = Contents(drawing + ".save");
        EXPECT_FALSE(rescued.empty());
        EXPECT_NE(rescued, before);
      } else {
        EXPECT_FALSE(std::filesystem::exists(drawing + ".save"));
      }
      EXPECT_TRUE(std::filesystem::exists(preferences));
    }
  }
}

// Ctrl-Z hands the terminal back as the shell gave it, and going on gives the line editor back.
TEST(InteractivePrompt, CtrlZStopsWithTheTerminalAsFoundAndGoingOnEditsAgain) {
  const std::string drawing = CopyOfSample("prompt-stop");
  Terminal terminal(Terminal::AsAJob{},
                    {TAVRIX_HOST_COMMAND, "--plugin", tavrix::test::PluginPath(), "open", drawing});
  ASSERT_TRUE(terminal.WaitFor("tavrix> ")) << terminal.seen();
  terminal.Type("hel");
  ASSERT_TRUE(terminal.WaitFor("hel")) << terminal.seen();
  terminal.Type("\x1a");
  ASSERT_TRUE(terminal.JobStopped()) << terminal.seen();
  EXPECT_TRUE(terminal.LineMode()) << "the shell gets the terminal in line mode";
  terminal.ContinueJob();
  terminal.Type("p\n");
  ASSERT_TRUE(terminal.WaitFor("save [FILE.svg]")) << terminal.seen();
  ASSERT_TRUE(terminal.WaitFor("tavrix> ")) << terminal.seen();
  terminal.Type("quit\n");
  EXPECT_EQ(terminal.ExitStatus(), 0) << terminal.seen();
}

TEST(InteractivePrompt, AFileNameWithAccentsCanBeTyped) {
  const std::string drawing = CopyOfSample("prompt-accents");
  const std::string accented =
      (std::filesystem::path(drawing).parent_path() / "bateau \u00e9t\u00e9.svg").string();
  std::filesystem::copy_file(drawing, accented);
  Terminal terminal({TAVRIX_HOST_COMMAND, "--plugin", tavrix::test::PluginPath(), "open", drawing});
  ASSERT_TRUE(terminal.WaitFor("tavrix> ")) << terminal.seen();
  terminal.Type("open \"" + accented + "\"\n");
  ASSERT_TRUE(terminal.WaitFor("Opened " + accented)) << terminal.seen();
  ASSERT_TRUE(terminal.WaitFor("tavrix> ")) << terminal.seen();
  terminal.Type("quit\n");
  EXPECT_EQ(terminal.ExitStatus(), 0) << terminal.seen();
}

TEST(InteractivePrompt, ASaveThatFailedMakesTheExitStatusOne) {
  const std::string drawing = CopyOfSample("prompt-failed-save");
  Terminal terminal({TAVRIX_HOST_COMMAND, "--plugin", tavrix::test::PluginPath(), "open", drawing});
  ASSERT_TRUE(terminal.WaitFor("tavrix> ")) << terminal.seen();
  terminal.Type("save /nonexistent-folder/boat.svg\n");
  ASSERT_TRUE(terminal.WaitFor("not saved")) << terminal.seen();
  ASSERT_TRUE(terminal.WaitFor("tavrix> ")) << terminal.seen();
  terminal.Type("quit\n");
  EXPECT_EQ(terminal.ExitStatus(), 1) << terminal.seen();
}

TEST(InteractivePrompt, APersonsPreferencesAreKeptInTheConfigFolderByDefault) {
  const std::filesystem::path configHome = tavrix::test::TempFolder() / "prompt-xdg";
  std::filesystem::remove_all(configHome);
  const std::filesystem::path kept = configHome / "tavrix" / "preferences.json";
  {
    Terminal terminal({TAVRIX_HOST_COMMAND, "--plugin", tavrix::test::PluginPath(), "open",
                       TAVRIX_SAMPLE_DRAWING},
                      configHome.string());
    ASSERT_TRUE(terminal.WaitFor("tavrix> ")) << terminal.seen();
    terminal.Type("menu\n");
    ASSERT_TRUE(terminal.WaitFor("tavrix> ")) << terminal.seen();
    terminal.Type("quit\n");
    EXPECT_EQ(terminal.ExitStatus(), 0) << terminal.seen();
  }
  ASSERT_TRUE(std::filesystem::exists(kept));
  // The next run reads them: the palette opened last time opens again at launch.
  Terminal again(
      {TAVRIX_HOST_COMMAND, "--plugin", tavrix::test::PluginPath(), "open", TAVRIX_SAMPLE_DRAWING},
      configHome.string());
  ASSERT_TRUE(again.WaitFor("tavrix> ")) << again.seen();
  again.Type("expect palette visible\n");
  ASSERT_TRUE(again.WaitFor("tavrix> ")) << again.seen();
  again.Type("quit\n");
  EXPECT_EQ(again.ExitStatus(), 0) << again.seen();
  EXPECT_EQ(again.seen().find("expectation failed"), std::string::npos) << again.seen();

  // A session read from a pipe is a script: it keeps no preferences unless asked.
  const std::filesystem::path scriptHome = tavrix::test::TempFolder() / "prompt-xdg-script";
  std::filesystem::remove_all(scriptHome);
  const std::string command = "XDG_CONFIG_HOME='" + scriptHome.string() + "' '" +
                              TAVRIX_HOST_COMMAND + "' --plugin '" + tavrix::test::PluginPath() +
                              "' open '" + TAVRIX_SAMPLE_DRAWING + "' </dev/null >/dev/null";
  EXPECT_EQ(std::system(command.c_str()), 0);
  EXPECT_FALSE(std::filesystem::exists(scriptHome));
}

TEST(InteractivePrompt, QuitEndsItToo) {
  Terminal terminal(
      {TAVRIX_HOST_COMMAND, "--plugin", tavrix::test::PluginPath(), "open", TAVRIX_SAMPLE_DRAWING});
  ASSERT_TRUE(terminal.WaitFor("tavrix> ")) << terminal.seen();
  terminal.Type("quit\n");
  EXPECT_EQ(terminal.ExitStatus(), 0) << terminal.seen();
}

}  // namespace
