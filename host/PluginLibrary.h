// The plug-in's code mapped into the host process, and the entry point resolved in it.
#pragma once

#include <string>

#include "hostapi/PluginMessages.h"

namespace tavrix::host {

class PluginLibrary {
 public:
  PluginLibrary(const std::string& path, std::string entryName);
  ~PluginLibrary();
  PluginLibrary(const PluginLibrary&) = delete;
  PluginLibrary& operator=(const PluginLibrary&) = delete;

  // Maps the code and resolves the entry point. Throws PluginLoadError.
  void Map();
  // Unmaps the code unless something of the plug-in still lives in the host (see Hold).
  void UnmapIfFree();
  bool IsMapped() const { return handle_ != nullptr; }
  PluginMainProc entry() const { return entry_; }

  // While held, the code stays mapped: the host holds it for every dialog or callback of the
  // plug-in it keeps, as a real host keeps a plug-in with an open palette.
  void Hold() { ++holds_; }
  void Unhold();
  int holds() const { return holds_; }

 private:
  std::string path_;
  std::string entryName_;
  void* handle_ = nullptr;
  PluginMainProc entry_ = nullptr;
  int holds_ = 0;
};

}  // namespace tavrix::host
