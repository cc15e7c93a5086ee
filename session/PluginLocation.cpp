#include "session/PluginLocation.h"

#ifdef _WIN32
#include "host/windows/WideText.h"
#endif

#include <filesystem>

namespace tavrix::app {

#ifdef _WIN32
std::string DefaultPluginPath() {
  const std::wstring self = host::WideFromUtf8(host::RunningProgramFile());
  const std::filesystem::path base =
      self.empty() ? std::filesystem::current_path() : std::filesystem::path(self).parent_path();
  return (base.parent_path() / "plug-ins" / "Tavrix 2.0.aip").u8string();
}
#else
std::string DefaultPluginPath() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  const std::filesystem::path base = error ? std::filesystem::current_path() : self.parent_path();
  return (base.parent_path() / "plug-ins" / "Tavrix 2.0.aip").string();
}
#endif

}  // namespace tavrix::app
