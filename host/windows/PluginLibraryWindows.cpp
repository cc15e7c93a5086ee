// The Windows side of PluginLibrary: LoadLibrary and FreeLibrary.
#include <windows.h>

#include <filesystem>

#include "host/PluginFile.h"
#include "host/PluginLibrary.h"
#include "host/platform/Keyboard.h"
#include "host/windows/ImportPatch.h"
#include "host/windows/WideText.h"

namespace tavrix::host {

PluginLibrary::PluginLibrary(const std::string& path, std::string entryName)
    : path_(std::filesystem::absolute(std::filesystem::u8path(path)).make_preferred().u8string()),
      entryName_(std::move(entryName)) {}

PluginLibrary::~PluginLibrary() {
  if (handle_ != nullptr) FreeLibrary(static_cast<HMODULE>(handle_));
}

void PluginLibrary::Map() {
  if (handle_ != nullptr) return;
  // The DLLs it imports are looked for beside it first, as in a host's plug-ins folder.
  const HMODULE module =
      LoadLibraryExW(WideFromUtf8(path_).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (module == nullptr) {
    throw PluginLoadError("Cannot load plug-in '" + path_ +
                          "': " + SystemErrorText(GetLastError()) + ".");
  }
  const FARPROC symbol = GetProcAddress(module, entryName_.c_str());
  if (symbol == nullptr) {
    FreeLibrary(module);
    throw PluginLoadError("Cannot load plug-in '" + path_ + "': it does not export '" + entryName_ +
                          "', the entry point its PiPL names.");
  }
  // Each load fills a fresh import table, so each load points the key query at the host again.
  RedirectImport(module, "user32.dll", "GetAsyncKeyState",
                 reinterpret_cast<void*>(&SimulatedGetAsyncKeyState));
  handle_ = module;
  entry_ = reinterpret_cast<PluginMainProc>(reinterpret_cast<void*>(symbol));
}

void PluginLibrary::UnmapIfFree() {
  if (handle_ == nullptr || holds_ > 0) return;
  FreeLibrary(static_cast<HMODULE>(handle_));
  handle_ = nullptr;
  entry_ = nullptr;
}

void PluginLibrary::Unhold() {
  if (holds_ > 0) --holds_;
}

}  // namespace tavrix::host
