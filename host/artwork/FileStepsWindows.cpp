// The Windows side of the preference file's file steps.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <filesystem>

#include "host/artwork/FileSteps.h"
#include "host/windows/WideText.h"

namespace tavrix::host {
namespace {

HANDLE Handle(intptr_t value) {
  return reinterpret_cast<HANDLE>(value);
}

}  // namespace

InputFile::InputFile(const std::string& path) {
  const std::wstring wide = WideFromUtf8(path);
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    problem_ = "Is a directory";
    return;
  }
  const HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    state_ = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? State::Missing
                                                                            : State::Unreadable;
    problem_ = SystemErrorText(error);
    return;
  }
  handle_ = reinterpret_cast<intptr_t>(file);
  // A pipe or a device opened by its name is never read: it could keep the host waiting.
  if (GetFileType(file) != FILE_TYPE_DISK) {
    problem_ = "not a regular file";
    return;
  }
  state_ = State::Open;
}

InputFile::~InputFile() {
  if (handle_ != -1) CloseHandle(Handle(handle_));
}

bool InputFile::ReadUpTo(std::string& out, size_t limit) {
  char buffer[65536];
  while (limit > 0) {
    DWORD got = 0;
    const DWORD wanted = static_cast<DWORD>(std::min(sizeof buffer, limit));
    if (!ReadFile(Handle(handle_), buffer, wanted, &got, nullptr)) {
      problem_ = SystemErrorText(GetLastError());
      return false;
    }
    if (got == 0) return true;
    out.append(buffer, got);
    limit -= got;
  }
  return true;
}

std::string ReplacementTarget(const std::string& path) {
  std::error_code error;
  const std::filesystem::path given = std::filesystem::u8path(path);
  if (!std::filesystem::is_symlink(given, error)) return path;
  const std::filesystem::path target = std::filesystem::canonical(given, error);
  return error ? path : target.u8string();
}

Fault ReplaceWithText(const std::string& target, const std::string& text, bool keepAside) {
  static std::atomic<unsigned> counter{0};
  const std::string temporary =
      target + ".saving-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
  const std::wstring wideTemporary = WideFromUtf8(temporary);
  const std::wstring wideTarget = WideFromUtf8(target);
  // Created new, so that nothing of another's is written into; its rights are the folder's, as
  // for any new file on Windows.
  HANDLE file = CreateFileW(wideTemporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return Fault("creating a temporary file beside it: " + SystemErrorText(GetLastError()));
  const auto fail = [&](const std::string& step, DWORD error) {
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    DeleteFileW(wideTemporary.c_str());
    return Fault(step + ": " + SystemErrorText(error));
  };
  const std::string writing = "writing a temporary file beside it";
  for (size_t done = 0; done < text.size();) {
    DWORD wrote = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(text.size() - done, 1u << 20));
    if (!WriteFile(file, text.data() + done, chunk, &wrote, nullptr))
      return fail(writing, GetLastError());
    done += wrote;
  }
  if (!FlushFileBuffers(file)) return fail(writing, GetLastError());
  const bool closed = CloseHandle(file) != 0;
  file = INVALID_HANDLE_VALUE;
  if (!closed) return fail(writing, GetLastError());

  const std::string aside = target + ".corrupt";
  const std::wstring wideAside = WideFromUtf8(aside);
  constexpr DWORD kReplace = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
  if (keepAside && !MoveFileExW(wideTarget.c_str(), wideAside.c_str(), kReplace))
    return fail("moving the unreadable file to '" + aside + "'", GetLastError());
  if (!MoveFileExW(wideTemporary.c_str(), wideTarget.c_str(), kReplace)) {
    const DWORD error = GetLastError();
    if (keepAside) MoveFileExW(wideAside.c_str(), wideTarget.c_str(), kReplace);
    return fail("renaming the temporary file over it", error);
  }
  return Fault();
}

}  // namespace tavrix::host
