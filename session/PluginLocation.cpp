#include "session/PluginLocation.h"

#ifdef _WIN32
#include "host/windows/WideText.h"
#endif

#include <filesystem>

namespace tavrix::app {
namespace {

namespace fs = std::filesystem;

#ifdef _WIN32
fs::path RunningProgramFolder() {
  const std::wstring self = host::WideFromUtf8(host::RunningProgramFile());
  return self.empty() ? fs::current_path() : fs::path(self).parent_path();
}
std::string PathText(const fs::path& path) {
  return path.u8string();
}
#else
fs::path RunningProgramFolder() {
  std::error_code error;
  const fs::path self = fs::read_symlink("/proc/self/exe", error);
  return error ? fs::current_path() : self.parent_path();
}
std::string PathText(const fs::path& path) {
  return path.string();
}
#endif

}  // namespace

std::string DefaultPluginPath() {
  const fs::path prefix = RunningProgramFolder().parent_path();
  const fs::path built = prefix / "plug-ins" / "Tavrix 2.0.aip";
  const fs::path installed = prefix / "lib" / "tavrix" / "Tavrix 2.0.aip";
  std::error_code error;
  if (!fs::exists(built, error) && fs::exists(installed, error)) return PathText(installed);
  return PathText(built);
}

}  // namespace tavrix::app
