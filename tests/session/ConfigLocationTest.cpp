// Where a person's settings are kept by default, by the platform's rules for configuration.
#include "session/ConfigLocation.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "support/PluginBytes.h"

namespace tavrix::app {
namespace {

// Sets (or, with nullopt, unsets) a variable for one test and puts it back after.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const std::optional<std::string>& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value)
      setenv(name, value->c_str(), 1);
    else
      unsetenv(name);
  }
  ~ScopedVariable() {
    if (old_)
      setenv(name_, old_->c_str(), 1);
    else
      unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(ConfigLocation, FollowsXdgConfigHomeThenHome) {
  {
    ScopedVariable config("XDG_CONFIG_HOME", "/cfg/x");
    ScopedVariable home("HOME", "/home/pat");
    EXPECT_EQ(DefaultPreferencesFile(), "/cfg/x/tavrix/preferences.json");
  }
  {
    // A relative XDG_CONFIG_HOME is to be ignored, as is an empty one.
    for (const char* ignored : {"relative/cfg", ""}) {
      ScopedVariable config("XDG_CONFIG_HOME", std::string(ignored));
      ScopedVariable home("HOME", "/home/pat");
      EXPECT_EQ(DefaultPreferencesFile(), "/home/pat/.config/tavrix/preferences.json") << ignored;
    }
  }
  {
    ScopedVariable config("XDG_CONFIG_HOME", std::nullopt);
    ScopedVariable home("HOME", std::nullopt);
    EXPECT_EQ(DefaultPreferencesFile(), "");
  }
}

TEST(ConfigLocation, MakesAMissingFolderForItsOwnerAloneAndLeavesAnExistingOne) {
  const std::filesystem::path base = test::TempFolder() / "config-location";
  std::filesystem::remove_all(base);
  const std::filesystem::path file = base / "a" / "tavrix" / "preferences.json";
  EXPECT_EQ(MakePreferencesFolder(file.string()), "");
  struct stat made {};
  ASSERT_EQ(stat(file.parent_path().c_str(), &made), 0);
  EXPECT_EQ(made.st_mode & 0777, 0700u);
  // An existing folder keeps the mode its owner gave it.
  chmod(file.parent_path().c_str(), 0755);
  EXPECT_EQ(MakePreferencesFolder(file.string()), "");
  ASSERT_EQ(stat(file.parent_path().c_str(), &made), 0);
  EXPECT_EQ(made.st_mode & 0777, 0755u);
  // A file where the folder should be is told, not ignored.
  const std::filesystem::path blocked = base / "blocked";
  std::filesystem::create_directories(base);
  { std::ofstream(blocked.string()) << "x"; }
  const std::string problem = MakePreferencesFolder((blocked / "tavrix" / "p.json").string());
  EXPECT_NE(problem.find("cannot make the folder"), std::string::npos) << problem;
}

}  // namespace
}  // namespace tavrix::app
