#include "session/ConfigLocation.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace tavrix::app {
namespace {

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

}  // namespace

std::string DefaultPreferencesFile() {
  std::filesystem::path base;
  const std::string config = Variable("XDG_CONFIG_HOME");
  if (!config.empty() && std::filesystem::path(config).is_absolute()) {
    base = config;
  } else {
    const std::string home = Variable("HOME");
    if (home.empty()) return "";
    base = std::filesystem::path(home) / ".config";
  }
  return (base / "tavrix" / "preferences.json").string();
}

bool MakePreferencesFolder(const std::string& file, std::string& error) {
  const std::filesystem::path folder = std::filesystem::path(file).parent_path();
  if (folder.empty()) return true;
  std::error_code failure;
  std::filesystem::create_directories(folder, failure);
  if (failure) {
    error =
        "cannot make the folder " + folder.string() + " for the preferences: " + failure.message();
    return false;
  }
  return true;
}

}  // namespace tavrix::app
