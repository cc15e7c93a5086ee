#include "tavrix-host/PromptInput.h"

#ifndef _WIN32
#include <editline/readline.h>
#include <langinfo.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <iostream>

namespace tavrix::app {
namespace {

// Set by the handlers and read by the wait and between lines.
volatile std::sig_atomic_t interrupted = 0;   // Ctrl-C
volatile std::sig_atomic_t endingSignal = 0;  // SIGHUP, SIGTERM or SIGQUIT

extern "C" void NoteInterrupt(int) {
  interrupted = 1;
}

extern "C" void NoteEnding(int signal) {
  endingSignal = signal;
}

#ifdef SIGWINCH
volatile std::sig_atomic_t resized = 0;  // the terminal's window changed size

extern "C" void NoteResize(int) {
  resized = 1;
}
#endif

LineEnd SignalledEnd() {
  if (endingSignal != 0) return LineEnd::Ending;
  if (interrupted != 0) return LineEnd::Interrupted;
  return LineEnd::Typed;
}

}  // namespace

#ifndef _WIN32

namespace {

constexpr int kPromptSignals[] = {SIGINT, SIGHUP, SIGTERM, SIGQUIT, SIGWINCH, SIGTSTP};

volatile std::sig_atomic_t stopAsked = 0;  // Ctrl-Z

extern "C" void NoteStop(int) {
  stopAsked = 1;
}

// The signal mask while a byte is awaited: the prompt's signals let in, the rest as before.
sigset_t waitMask;
// The terminal as the prompt found it before the line editor took it over.
termios foundTerminal{};
bool foundTerminalKnown = false;

sigset_t PromptSignalSet() {
  sigset_t set;
  sigemptyset(&set);
  for (const int signal : kPromptSignals) sigaddset(&set, signal);
  return set;
}

// Ctrl-Z: while the program is stopped the terminal is as the shell gave it; when it goes on,
// the line editor's settings come back and the line being typed is shown again.
void StopForTheShell(int fd) {
  termios editing{};
  const bool editingKnown = foundTerminalKnown && tcgetattr(fd, &editing) == 0;
  if (editingKnown) tcsetattr(fd, TCSADRAIN, &foundTerminal);
  struct sigaction standard {};
  standard.sa_handler = SIG_DFL;
  sigemptyset(&standard.sa_mask);
  struct sigaction ours {};
  sigaction(SIGTSTP, &standard, &ours);
  sigset_t stop;
  sigemptyset(&stop);
  sigaddset(&stop, SIGTSTP);
  raise(SIGTSTP);
  sigprocmask(SIG_UNBLOCK, &stop, nullptr);  // stopped here until continued
  sigprocmask(SIG_BLOCK, &stop, nullptr);
  sigaction(SIGTSTP, &ours, nullptr);
  if (editingKnown) tcsetattr(fd, TCSADRAIN, &editing);
  rl_forced_update_display();
}

// One byte from the terminal, or EOF once the input ends or a signal asks to stop waiting.
// Called with the prompt's signals held back; ppoll lets them in only while it waits, so a
// signal that came before the wait ends it at once.
int WaitForByte(int fd) {
  for (;;) {
    if (endingSignal != 0 || interrupted != 0) return EOF;
    if (stopAsked != 0) {
      stopAsked = 0;
      StopForTheShell(fd);
    }
    // Also a resize that came while a line ran: its signal was answered then.
    if (resized != 0) {
      resized = 0;
      rl_resize_terminal();
    }
    pollfd input{fd, POLLIN, 0};
    const int ready = ppoll(&input, 1, nullptr, &waitMask);
    if (ready < 0) {
      if (errno != EINTR) return EOF;
      continue;
    }
    unsigned char byte = 0;
    const ssize_t got = read(fd, &byte, 1);
    if (got == 1) return byte;
    if (got < 0 && errno == EINTR) continue;
    return EOF;
  }
}

// One character for the line editor, decoded from the bytes of the terminal's encoding; bytes
// that make no character show as the replacement character, where the encoding has one.
int ReadCharacter(FILE* in) {
  const int fd = in != nullptr ? fileno(in) : STDIN_FILENO;
  std::mbstate_t state{};
  for (;;) {
    const int byte = WaitForByte(fd);
    if (byte == EOF) return EOF;
    const char narrow = static_cast<char>(byte);
    wchar_t wide = 0;
    const size_t used = std::mbrtowc(&wide, &narrow, 1, &state);
    if (used == static_cast<size_t>(-2)) continue;
    if (used == static_cast<size_t>(-1)) {
      state = std::mbstate_t{};
      if (MB_CUR_MAX > 1) return 0xFFFD;
      continue;
    }
    return static_cast<int>(wide);
  }
}

// The terminal's encoding as the locale names it; where it names none (the C locale's ASCII),
// UTF-8, which is what terminals send today.
void UseTheTerminalsEncoding() {
  if (std::setlocale(LC_CTYPE, "") != nullptr && MB_CUR_MAX > 1) return;
  const char* codeset = nl_langinfo(CODESET);
  if (codeset != nullptr && std::strcmp(codeset, "ANSI_X3.4-1968") != 0) return;
  for (const char* utf8 : {"C.UTF-8", "C.utf8", "en_US.UTF-8"}) {
    if (std::setlocale(LC_CTYPE, utf8) != nullptr) return;
  }
}

// A signal the program was started with ignored (by nohup, or a parent without job control)
// stays ignored, as the parent meant.
void Install(int signal, void (*handler)(int), struct sigaction& old) {
  sigaction(signal, nullptr, &old);
  if (old.sa_handler == SIG_IGN) return;
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;
  sigaction(signal, &action, nullptr);
}

}  // namespace

struct PromptInput::Saved {
  struct sigaction interrupt {};
  struct sigaction hangup {};
  struct sigaction quit {};
  struct sigaction terminate {};
  struct sigaction resize {};
  std::string characterLocale;
};

PromptInput::PromptInput() : saved_(std::make_unique<Saved>()) {
  interrupted = 0;
  endingSignal = 0;
  resized = 0;
  const char* locale = std::setlocale(LC_CTYPE, nullptr);
  saved_->characterLocale = locale != nullptr ? locale : "C";
  UseTheTerminalsEncoding();
  // The editor's own handlers would pass each signal on to the whole process group; these
  // handlers and the wait above answer them instead.
  rl_catch_signals = 0;
  rl_catch_sigwinch = 0;
  rl_getc_function = &ReadCharacter;
  Install(SIGINT, &NoteInterrupt, saved_->interrupt);
  Install(SIGHUP, &NoteEnding, saved_->hangup);
  Install(SIGTERM, &NoteEnding, saved_->terminate);
  // Ctrl-\ would end the program with a core and the terminal left raw: it ends the session as
  // SIGTERM does, keeping the unsaved changes.
  Install(SIGQUIT, &NoteEnding, saved_->quit);
  Install(SIGWINCH, &NoteResize, saved_->resize);
}

PromptInput::~PromptInput() {
  sigaction(SIGINT, &saved_->interrupt, nullptr);
  sigaction(SIGHUP, &saved_->hangup, nullptr);
  sigaction(SIGTERM, &saved_->terminate, nullptr);
  sigaction(SIGQUIT, &saved_->quit, nullptr);
  sigaction(SIGWINCH, &saved_->resize, nullptr);
  std::setlocale(LC_CTYPE, saved_->characterLocale.c_str());
}

PromptLine PromptInput::Read(const char* prompt) {
  interrupted = 0;
  stopAsked = 0;
  if (endingSignal != 0) return {LineEnd::Ending, {}};
  // Ctrl-Z is the prompt's only while it waits for a line: between lines the terminal is the
  // shell's as it was, and the program stops at once as any other does.
  struct sigaction stopBefore {};
  Install(SIGTSTP, &NoteStop, stopBefore);
  const sigset_t prompts = PromptSignalSet();
  sigset_t before;
  sigprocmask(SIG_BLOCK, &prompts, &before);
  waitMask = before;
  for (const int signal : kPromptSignals) sigdelset(&waitMask, signal);
  foundTerminalKnown = tcgetattr(STDIN_FILENO, &foundTerminal) == 0;
  char* const line = readline(prompt);
  sigaction(SIGTSTP, &stopBefore, nullptr);
  sigprocmask(SIG_SETMASK, &before, nullptr);
  PromptLine result;
  result.end = SignalledEnd();
  if (result.end == LineEnd::Typed) {
    if (line == nullptr)
      result.end = LineEnd::InputEnded;
    else
      result.text = line;
  }
  std::free(line);
  return result;
}

void PromptInput::Remember(const std::string& line) {
  add_history(line.c_str());
}

#else

// Windows' console keeps its own line editing, history and encoding; the Windows build has no
// libedit, and no hangup signal.
struct PromptInput::Saved {};

PromptInput::PromptInput() : saved_(std::make_unique<Saved>()) {
  interrupted = 0;
  endingSignal = 0;
  std::signal(SIGINT, &NoteInterrupt);
  std::signal(SIGTERM, &NoteEnding);
}

PromptInput::~PromptInput() {
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
}

PromptLine PromptInput::Read(const char* prompt) {
  interrupted = 0;
  if (endingSignal != 0) return {LineEnd::Ending, {}};
  std::cout << prompt << std::flush;
  PromptLine result;
  const bool got = static_cast<bool>(std::getline(std::cin, result.text));
  result.end = SignalledEnd();
  if (result.end == LineEnd::Typed && !got) result.end = LineEnd::InputEnded;
  if (result.end != LineEnd::Typed) result.text.clear();
  return result;
}

void PromptInput::Remember(const std::string&) {}

#endif

int PromptInput::EndingSignal() const {
  return endingSignal;
}

}  // namespace tavrix::app
