// The Windows side of the validator's child processes: CreateProcess of the host command, its
// standard output read through a pipe, and a job object that ends all it started.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "host/windows/WideText.h"
#include "validator/ChildProcess.h"

namespace tavrix::validator {
namespace {

using host::SystemErrorText;
using host::WideFromUtf8;

// The child's last words, as on other systems: a child that ends any other way (exit(0) from a
// plug-in, a crash) never counts as a pass.
// The output is the child's standard output, which the check's own messages may share: the
// verdict is what follows the last mark.
constexpr char kVerdictMark[] = "\n== verdict\n";
constexpr char kPassed[] = "\nPASSED\n";
constexpr char kFailed[] = "\nFAILED\n";

bool EndsWith(const std::string& text, const char* tail) {
  const size_t length = std::strlen(tail);
  return text.size() >= length && text.compare(text.size() - length, length, tail) == 0;
}

// One argument as the C runtime splits a command line: quoted, with the backslashes before a
// quote doubled.
std::wstring Quoted(const std::wstring& argument) {
  std::wstring out = L"\"";
  size_t backslashes = 0;
  for (wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    out += c;
  }
  out.append(backslashes * 2, L'\\');
  return out + L"\"";
}

std::string CrashText(DWORD status) {
  const char* name = status == 0xC0000005u   ? "access violation"
                     : status == 0xC00000FDu ? "stack overflow"
                     : status == 0xC0000409u ? "stack buffer overrun or fast fail"
                     : status == 0xC000001Du ? "illegal instruction"
                     : status == 0xC0000094u ? "integer division by zero"
                                             : "an exception";
  char code[16];
  std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(status));
  return std::string("crashed with exception ") + code + " (" + name + ")";
}

// Handles closed however the function ends.
struct Handles {
  HANDLE read = nullptr, write = nullptr, error = nullptr, job = nullptr;
  PROCESS_INFORMATION process{};
  ~Handles() {
    for (HANDLE h : {read, write, error, job, process.hProcess, process.hThread})
      if (h != nullptr) CloseHandle(h);
  }
};

// Appends what the pipe holds now, without waiting for more.
void Drain(HANDLE pipe, std::string& text) {
  for (;;) {
    DWORD available = 0;
    if (!PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) || available == 0) return;
    char buffer[4096];
    DWORD got = 0;
    if (!ReadFile(pipe, buffer, available < sizeof buffer ? available : sizeof buffer, &got,
                  nullptr) ||
        got == 0) {
      return;
    }
    text.append(buffer, got);
  }
}

std::string Normalised(std::string text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
}

}  // namespace

std::string ThisProgram() {
  return host::RunningProgramFile();
}

int ReportVerdict(const std::function<std::string()>& body, std::ostream& out) {
  const std::string why = VerdictOf(body);
  out << kVerdictMark << why << (why.empty() ? kPassed : kFailed);
  out.flush();
  std::fflush(nullptr);
  return 0;
}

ChildOutcome RunProgramInChild(const std::string& program,
                               const std::vector<std::string>& arguments, int timeLimitSeconds) {
  Handles h;
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  if (!CreatePipe(&h.read, &h.write, &inheritable, 0))
    return {false, "cannot make a pipe: " + SystemErrorText(GetLastError())};
  SetHandleInformation(h.read, HANDLE_FLAG_INHERIT, 0);
  // The child's messages reach the same place as the validator's own.
  DuplicateHandle(GetCurrentProcess(), GetStdHandle(STD_ERROR_HANDLE), GetCurrentProcess(),
                  &h.error, 0, TRUE, DUPLICATE_SAME_ACCESS);

  std::wstring line = Quoted(WideFromUtf8(program));
  for (const std::string& argument : arguments) line += L" " + Quoted(WideFromUtf8(argument));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = nullptr;
  startup.hStdOutput = h.write;
  startup.hStdError = h.error != nullptr ? h.error : h.write;
  std::cout.flush();
  std::fflush(nullptr);
  // Started suspended, so that it is in the job before it can start anything of its own.
  if (!CreateProcessW(WideFromUtf8(program).c_str(), line.data(), nullptr, nullptr, TRUE,
                      CREATE_SUSPENDED | CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                      &h.process)) {
    return {false, "cannot start a child process: " + SystemErrorText(GetLastError())};
  }
  h.job = CreateJobObjectW(nullptr, nullptr);
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  const bool inJob =
      h.job != nullptr &&
      SetInformationJobObject(h.job, JobObjectExtendedLimitInformation, &limits, sizeof limits) &&
      AssignProcessToJobObject(h.job, h.process.hProcess);
  ResumeThread(h.process.hThread);
  CloseHandle(h.write);  // only the child writes now: the pipe ends when it does
  h.write = nullptr;

  // Read until the child has ended or the time is up; a grandchild still holding the pipe
  // keeps nobody waiting, as only what is there is read.
  std::string text;
  bool timedOut = false;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeLimitSeconds);
  for (;;) {
    Drain(h.read, text);
    if (WaitForSingleObject(h.process.hProcess, 50) == WAIT_OBJECT_0) break;
    if (std::chrono::steady_clock::now() >= deadline) {
      timedOut = true;
      break;
    }
  }
  Drain(h.read, text);
  // Whatever the child started goes with it.
  if (inJob) {
    TerminateJobObject(h.job, 1);
  } else if (timedOut) {
    TerminateProcess(h.process.hProcess, 1);
  }
  WaitForSingleObject(h.process.hProcess, INFINITE);
  if (timedOut) return {false, "took longer than " + std::to_string(timeLimitSeconds) + " s"};
  DWORD status = 0;
  GetExitCodeProcess(h.process.hProcess, &status);
  text = Normalised(text);
  if (EndsWith(text, kPassed) && status == 0) return {true, ""};
  if (EndsWith(text, kFailed)) {
    const size_t mark = text.rfind(kVerdictMark);
    const size_t from = mark == std::string::npos ? 0 : mark + std::strlen(kVerdictMark);
    return {false, text.substr(from, text.size() - std::strlen(kFailed) - from)};
  }
  if (status >= 0xC0000000u) return {false, CrashText(status)};
  return {false, "crashed: ended without finishing, exit status " + std::to_string(status)};
}

}  // namespace tavrix::validator
