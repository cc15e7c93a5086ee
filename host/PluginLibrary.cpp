#include "host/PluginLibrary.h"

#include <dlfcn.h>

#include <filesystem>

#include "host/PluginFile.h"

namespace tavrix::host {

PluginLibrary::PluginLibrary(const std::string& path, std::string entryName)
    : path_(std::filesystem::absolute(path).string()), entryName_(std::move(entryName)) {}

PluginLibrary::~PluginLibrary() {
  if (handle_ != nullptr) dlclose(handle_);
}

void PluginLibrary::Map() {
  if (handle_ != nullptr) return;
  void* handle = dlopen(path_.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* reason = dlerror();
    throw PluginLoadError("Cannot load plug-in '" + path_ +
                          "': " + (reason != nullptr ? reason : "the library does not load") + ".");
  }
  void* symbol = dlsym(handle, entryName_.c_str());
  if (symbol == nullptr) {
    dlclose(handle);
    throw PluginLoadError("Cannot load plug-in '" + path_ + "': it does not export '" + entryName_ +
                          "', the entry point its PiPL names.");
  }
  handle_ = handle;
  entry_ = reinterpret_cast<PluginMainProc>(symbol);
}

void PluginLibrary::UnmapIfFree() {
  if (handle_ == nullptr || holds_ > 0) return;
  dlclose(handle_);
  handle_ = nullptr;
  entry_ = nullptr;
}

void PluginLibrary::Unhold() {
  if (holds_ > 0) --holds_;
}

}  // namespace tavrix::host
