// A plug-in file as the host sees it before running any of its code: its resources and the
// entry point its property list names.
#pragma once

#include <stdexcept>
#include <string>

#include "host/ResourceTable.h"

namespace tavrix::host {

// The section of a plug-in file on this platform that carries its compiled resources.
inline constexpr char kResourceSectionName[] = ".aip_resources";

class PluginLoadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class PluginFile {
 public:
  // Reads and checks the file. Throws PluginLoadError, whose message names the file and what
  // is wrong with it.
  static PluginFile Read(const std::string& path);

  const std::string& path() const { return path_; }
  const std::string& entryPoint() const { return entryPoint_; }
  const ResourceTable& resources() const { return resources_; }

 private:
  std::string path_;
  std::string entryPoint_;
  ResourceTable resources_;
};

}  // namespace tavrix::host
