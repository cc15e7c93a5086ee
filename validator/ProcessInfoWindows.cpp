#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

#include <filesystem>

#include "host/windows/WideText.h"
#include "validator/ProcessInfo.h"

namespace tavrix::validator {

long ResidentKilobytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 0;
  return static_cast<long>(counters.WorkingSetSize / 1024);
}

bool IsMapped(const std::string& given) {
  // The loader knows a module by its full path, whatever name it was loaded by.
  std::error_code error;
  const std::filesystem::path path =
      std::filesystem::absolute(std::filesystem::u8path(given), error).make_preferred();
  HMODULE module = nullptr;
  return !error && GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                      path.wstring().c_str(), &module) != 0;
}

}  // namespace tavrix::validator
