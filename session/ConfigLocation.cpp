#include "session/ConfigLocation.h"

#include <cstdlib>
#include <filesystem>

namespace tavrix::app {
namespace {

namespace fs = std::filesystem;

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

fs::path ConfigurationFolder() {
#ifdef _WIN32
  const std::string appData = Variable("APPDATA");
  return appData.empty() ? fs::path() : fs::u8path(appData) / "Tavrix";
#else
  const fs::path configHome = Variable("XDG_CONFIG_HOME");
  if (configHome.is_absolute()) return configHome / "tavrix";
  const fs::path home = Variable("HOME");
  return home.is_absolute() ? home / ".config" / "tavrix" : fs::path();
#endif
}

}  // namespace

std::string DefaultPreferencesFile() {
  const fs::path folder = ConfigurationFolder();
  return folder.empty() ? std::string() : (folder / "preferences.json").u8string();
}

std::string MakePreferencesFolder(const std::string& file) {
  const fs::path folder = fs::u8path(file).parent_path();
  if (folder.empty()) return "";
  std::error_code error;
  if (fs::is_directory(folder, error)) return "";
  fs::create_directories(folder, error);
  if (error) return "cannot make the folder " + folder.u8string() + ": " + error.message();
  fs::permissions(folder, fs::perms::owner_all, error);
  return "";
}

}  // namespace tavrix::app
