// Where a person's preferences are kept by default: the XDG configuration folder.
#include "session/ConfigLocation.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "support/PluginBytes.h"

namespace tavrix::app {
namespace {

// Sets a variable for the test, or unsets it for a null value, and puts it back afterwards.
class Variable {
 public:
  Variable(const char* name, const char* value) : name_(name) {
    if (const char* before = std::getenv(name)) before_ = before;
    if (value != nullptr) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~Variable() {
    if (before_) {
      setenv(name_, before_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> before_;
};

TEST(ConfigLocation, IsTheXdgConfigFolderOrElseHomesDotConfig) {
  const Variable home("HOME", "/home/ada");
  {
    const Variable config("XDG_CONFIG_HOME", "/srv/config");
    EXPECT_EQ(DefaultPreferencesFile(), "/srv/config/tavrix/preferences.json");
  }
  for (const char* ignored : {"", "relative/config"}) {
    const Variable config("XDG_CONFIG_HOME", ignored);
    EXPECT_EQ(DefaultPreferencesFile(), "/home/ada/.config/tavrix/preferences.json") << ignored;
  }
  const Variable config("XDG_CONFIG_HOME", nullptr);
  EXPECT_EQ(DefaultPreferencesFile(), "/home/ada/.config/tavrix/preferences.json");
  const Variable noHome("HOME", nullptr);
  EXPECT_EQ(DefaultPreferencesFile(), "") << "nowhere to keep them";
}

TEST(ConfigLocation, TheFolderIsMadeWhenMissingAndAFileInTheWaySaysWhy) {
  const std::filesystem::path base = tavrix::test::TempFolder() / "xdg";
  std::string error;
  EXPECT_TRUE(MakePreferencesFolder((base / "tavrix" / "preferences.json").string(), error));
  EXPECT_TRUE(std::filesystem::is_directory(base / "tavrix"));
  tavrix::test::WriteTempFile("plain", {1});
  EXPECT_FALSE(MakePreferencesFolder(
      (tavrix::test::TempFolder() / "plain" / "tavrix" / "preferences.json").string(), error));
  EXPECT_NE(error.find("cannot make the folder"), std::string::npos) << error;
}

}  // namespace
}  // namespace tavrix::app
