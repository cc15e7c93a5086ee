// The Windows side of MappedFile: a read-only view of the file's mapping.
#include <windows.h>

#include <stdexcept>

#include "host/MappedFile.h"
#include "host/windows/WideText.h"

namespace tavrix::host {

std::string NotARegularFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(WideFromUtf8(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
               ? "it does not exist"
               : "it cannot be examined: " + SystemErrorText(error);
  }
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return "it is a directory";
  if ((attributes & FILE_ATTRIBUTE_DEVICE) != 0) return "it is a device, not a file";
  return "";
}

MappedFile::MappedFile(const std::string& path) {
  const std::string problem = NotARegularFile(path);
  if (!problem.empty()) throw std::runtime_error(problem);
  const HANDLE file =
      CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    throw std::runtime_error("it cannot be opened: " + SystemErrorText(GetLastError()));
  // Asked of what was opened: a name may stand for a pipe or a device.
  const DWORD type = GetFileType(file);
  LARGE_INTEGER size{};
  if (type != FILE_TYPE_DISK || !GetFileSizeEx(file, &size)) {
    CloseHandle(file);
    throw std::runtime_error(type == FILE_TYPE_PIPE   ? "it is a pipe, not a file"
                             : type == FILE_TYPE_CHAR ? "it is a device, not a file"
                                                      : "it is not a regular file");
  }
  if (static_cast<unsigned long long>(size.QuadPart) > SIZE_MAX) {
    CloseHandle(file);
    throw std::runtime_error("it is too large to be mapped");
  }
  size_ = static_cast<size_t>(size.QuadPart);
  if (size_ > 0) {
    const HANDLE mapping = CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    data_ = mapping != nullptr ? MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0) : nullptr;
    const DWORD error = GetLastError();
    if (mapping != nullptr) CloseHandle(mapping);
    if (data_ == nullptr) {
      CloseHandle(file);
      throw std::runtime_error("it cannot be read: " + SystemErrorText(error));
    }
  }
  CloseHandle(file);
}

MappedFile::~MappedFile() {
  if (data_ != nullptr) UnmapViewOfFile(data_);
}

}  // namespace tavrix::host
