// The preference file: values kept exactly between runs, and no file lost, whether it is not ours
// or ours but cut short.
#include "host/artwork/PreferenceFile.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#endif

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "host/TemporaryFolder.h"

namespace tavrix::host {
namespace {

namespace fs = std::filesystem;
using Outcome = PreferenceFileLoad::Outcome;
using Names = std::set<std::string>;

PreferenceStore Sample() {
  PreferenceStore store;
  store.SetBoolean("Tavrix/ShowPointData", true);
  store.SetInteger("Tavrix/Precision", INT32_MIN);
  store.SetInteger("Tavrix/Largest", INT32_MAX);
  store.SetReal("cursorKeyLength", 0.1);
  store.SetReal("Tavrix/Tiny", 5e-324);
  store.SetReal("Tavrix/NegativeZero", -0.0);
  store.SetPoint("Tavrix/PalettePosition", {150, -300});
  store.SetString("Tavrix/Label", "say \"hi\" \\ \n\tna\xC3\xAFve \xE2\x82\xAC \xF0\x9F\x98\x80");
  return store;
}

void Write(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string Read(const std::string& path) {
  std::ostringstream bytes;
  bytes << std::ifstream(path, std::ios::binary).rdbuf();
  return bytes.str();
}

class PreferenceFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = MakeTemporaryFolder("tavrix-prefs");
    path_ = (dir_ / "prefs.json").string();
  }
  void TearDown() override {
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(dir_);
  }
  // What is in the directory: a failed or refused save leaves no temporary file behind.
  Names InDirectory() const {
    Names names;
    for (const auto& entry : fs::directory_iterator(dir_))
      names.insert(entry.path().filename().string());
    return names;
  }
  // Loads into a store holding one other value, which must stay the only one.
  PreferenceFileLoad LoadUsingNothing(const std::string& path) {
    PreferenceStore store;
    store.SetInteger("other", 1);
    const PreferenceFileLoad load = LoadPreferenceFile(path, store);
    EXPECT_EQ(store.values().size(), 1u);
    EXPECT_NE(load.warning.find("'" + path + "'"), std::string::npos) << load.warning;
    return load;
  }

  fs::path dir_;
  std::string path_;
};

TEST_F(PreferenceFile, EveryTypeRoundTripsExactlyThroughALinkKeepingPermissions) {
  ASSERT_FALSE(SavePreferenceFile(path_, PreferenceStore()));
  const PreferenceStore saved = Sample();
#ifdef _WIN32
  // Windows gives a new file the folder's rights, and links need rights of their own.
  ASSERT_FALSE(SavePreferenceFile(path_, saved));
#else
  const mode_t mask = umask(0);
  umask(mask);
  EXPECT_EQ(fs::status(path_).permissions(), static_cast<fs::perms>(0666 & ~mask))
      << "a new file's permissions, as the umask leaves them";
  fs::permissions(path_, static_cast<fs::perms>(0600));
  const std::string link = (dir_ / "link.json").string();
  fs::create_symlink("prefs.json", link);
  ASSERT_FALSE(SavePreferenceFile(link, saved));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(fs::status(path_).permissions(), static_cast<fs::perms>(0600));
#endif
  EXPECT_EQ(Read(path_).rfind("{\n  \"tavrix-preferences\": 1,\n  \"values\": {\n", 0), 0u);
  PreferenceStore loaded;
  loaded.SetString("other", "kept");
  loaded.SetInteger("Tavrix/Precision", 7);
  EXPECT_EQ(LoadPreferenceFile(path_, loaded).outcome, Outcome::Loaded);
  EXPECT_EQ(loaded.String("other"), "kept");
  EXPECT_EQ(loaded.values().size(), saved.values().size() + 1);
  for (const auto& [key, value] : saved.values()) EXPECT_EQ(loaded.values().at(key), value) << key;
  EXPECT_TRUE(std::signbit(*loaded.Real("Tavrix/NegativeZero")));

  const PreferenceFileLoad missing = LoadPreferenceFile(path_ + ".absent", loaded);
  EXPECT_EQ(missing.outcome, Outcome::Missing);
  EXPECT_EQ(missing.warning, "");
}

TEST_F(PreferenceFile, AFileCutShortAnywhereIsCorruptAndKeptAsideWhenSaved) {
  ASSERT_FALSE(SavePreferenceFile(path_, Sample()));
  const std::string whole = Read(path_);
  // Every length short of the closing brace: inside the marker, escapes and multi-byte letters.
  for (size_t length = 0; length + 1 < whole.size(); ++length) {
    const std::string cut = whole.substr(0, length);
    Write(path_, cut);
    const PreferenceFileLoad load = LoadUsingNothing(path_);
    EXPECT_EQ(load.outcome, Outcome::Corrupt) << length;
    // The place named is the end of the file, where it was cut.
    const size_t lineStart = cut.find_last_of('\n') + 1;
    const std::string place = "line " +
                              std::to_string(1 + std::count(cut.begin(), cut.end(), '\n')) +
                              ", column " + std::to_string(length - lineStart + 1) + ":";
    EXPECT_NE(load.warning.find(length == 0 ? "empty" : place), std::string::npos) << load.warning;
  }

  const std::string cut = whole.substr(0, whole.size() / 2);
  Write(path_, cut);
  Write(path_ + ".corrupt", "an older one");
  ASSERT_FALSE(SavePreferenceFile(path_, Sample()));
  EXPECT_EQ(Read(path_ + ".corrupt"), cut);
  EXPECT_EQ(Read(path_), whole);
  // An empty file has nothing to keep: it is replaced, and the copy kept aside stays.
  Write(path_, " \n");
  ASSERT_FALSE(SavePreferenceFile(path_, Sample()));
  EXPECT_EQ(Read(path_ + ".corrupt"), cut);
}

TEST_F(PreferenceFile, BadValuesAreCorruptNamingTheKeyAndNoValueIsUsed) {
  for (const std::string bad :
       {R"({"integer": 1e12})", R"({"integer": 2147483648})", R"({"integer": -2147483649})",
        R"({"integer": 1.5})", R"({"real": "x"})", R"({"point": [1, 2, 3]})",
        R"({"point": [1, 2.5]})", R"({"colour": 1})", R"({"boolean": true, "integer": 1})", R"(5)",
        R"({"string": 5})", R"({"boolean": 1})"}) {
    Write(path_, R"({"tavrix-preferences": 1, "values": {"first": {"integer": 1}, "Tavrix/Bad": )" +
                     bad + R"(, "last": {"boolean": true}}})");
    const PreferenceFileLoad load = LoadUsingNothing(path_);
    EXPECT_EQ(load.outcome, Outcome::Corrupt) << bad;
    EXPECT_NE(load.warning.find("\"Tavrix/Bad\""), std::string::npos) << load.warning;
  }
  for (const std::string file :
       {R"({"tavrix-preferences": 1, "values": {"r": {"real": 1e400}}})",
        R"({"tavrix-preferences": 1})", R"({"tavrix-preferences": 1, "values": {}, "x": 0})"}) {
    Write(path_, file);
    EXPECT_EQ(LoadUsingNothing(path_).outcome, Outcome::Corrupt) << file;
  }
}

// The library that reads the file writes values out by recursion, as a warning quoting one
// does: a file nested without end is corrupt, named at its place, never a crash.
TEST_F(PreferenceFile, ValuesNestedTooDeepAreCorruptAtTheirPlace) {
  const std::string start = R"({"tavrix-preferences": 1, "values": {"Tavrix/Bad": {"point": )";
  const auto nested = [&](size_t depth, char open, const std::string& inner, char close) {
    return start + std::string(depth, open) + inner + std::string(depth, close) + "}}}";
  };
  const std::string tooDeep =
      "line 1, column " + std::to_string(start.size() + 62) + ": values nested more than 64 deep";
  for (const std::string& file :
       {nested(100000, '[', "", ']'), nested(100000, '[', "", ' ').substr(0, start.size() + 100000),
        nested(62, '[', "", ']')}) {
    Write(path_, file);
    const PreferenceFileLoad load = LoadUsingNothing(path_);
    EXPECT_EQ(load.outcome, Outcome::Corrupt);
    EXPECT_NE(load.warning.find(tooDeep), std::string::npos) << load.warning;
  }
  std::string objects = start;
  for (int i = 0; i < 100000; ++i) objects += R"({"[{\"": )";
  Write(path_, objects);
  const PreferenceFileLoad load = LoadUsingNothing(path_);
  EXPECT_EQ(load.outcome, Outcome::Corrupt);
  EXPECT_NE(load.warning.find("line 1, column " + std::to_string(start.size() + 61 * 9 + 1) +
                              ": values nested more than 64 deep"),
            std::string::npos)
      << load.warning;
  // Sixty-four deep is read, and the bad value it is named.
  Write(path_, nested(61, '[', "", ']'));
  EXPECT_NE(LoadUsingNothing(path_).warning.find("\"Tavrix/Bad\": the point [[[["),
            std::string::npos);
}

// Some editors begin a file with a byte-order mark: the file is still ours.
TEST_F(PreferenceFile, AByteOrderMarkIsNoPartOfTheFile) {
  ASSERT_FALSE(SavePreferenceFile(path_, Sample()));
  const std::string saved = Read(path_);
  // The marker as far from the start as it may be, counted after the mark.
  for (const std::string& text : {saved, std::string(40, ' ') + saved}) {
    Write(path_, "\xEF\xBB\xBF" + text);
    PreferenceStore loaded;
    EXPECT_EQ(LoadPreferenceFile(path_, loaded).outcome, Outcome::Loaded);
    EXPECT_EQ(loaded.values(), Sample().values());
    ASSERT_FALSE(SavePreferenceFile(path_, Sample()));
    EXPECT_EQ(Read(path_), saved);
  }
  // Cut short, it is ours and corrupt, and its place is counted after the mark.
  Write(path_, "\xEF\xBB\xBF{\"tavrix-preferences\": 1, \"values\": {");
  const PreferenceFileLoad cut = LoadUsingNothing(path_);
  EXPECT_EQ(cut.outcome, Outcome::Corrupt);
  EXPECT_NE(cut.warning.find("line 1, column 38:"), std::string::npos) << cut.warning;
  Write(path_, "\xEF\xBB\xBF# a session script\n");
  EXPECT_EQ(LoadUsingNothing(path_).outcome, Outcome::Foreign);
}

TEST_F(PreferenceFile, AFileNotOursIsNeverWrittenOver) {
  std::string binary(1 << 20, '\0');
  std::generate(binary.begin(), binary.end(), std::mt19937(7));
  binary[0] = '\x89';
  ASSERT_FALSE(SavePreferenceFile(path_, Sample()));
  std::string later = Read(path_);
  later.replace(later.find(": 1,"), 4, ": 2,");
  for (const std::string& bytes :
       {std::string("# a session script\nplugin load\nclick \"Point\"\n"), binary,
        std::string(R"({"values": {}})"), std::string(R"({"name": "tavrix-preferences"})"), later,
        later.substr(0, 40), std::string(70, ' ') + R"({"tavrix-preferences": 1})"}) {
    SCOPED_TRACE(bytes.substr(0, 40));
    Write(path_, bytes);
    const PreferenceFileLoad load = LoadUsingNothing(path_);
    EXPECT_EQ(load.outcome, Outcome::Foreign);
    EXPECT_NE(load.warning.find("not be written over"), std::string::npos) << load.warning;
    const auto refused = SavePreferenceFile(path_, Sample());
    ASSERT_TRUE(refused);
    EXPECT_NE(refused.reason().find("'" + path_ + "'"), std::string::npos) << refused.reason();
    EXPECT_EQ(Read(path_), bytes);
    EXPECT_EQ(InDirectory(), Names{"prefs.json"});
  }
  // Neither is a directory, nor a named pipe, which must not be waited on.
  std::vector<std::string> notFiles = {dir_.string()};
#ifndef _WIN32
  const std::string pipe = (dir_ / "pipe").string();
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  notFiles.push_back(pipe);
#endif
  for (const std::string& path : notFiles) {
    EXPECT_EQ(LoadUsingNothing(path).outcome, Outcome::Foreign);
    EXPECT_TRUE(SavePreferenceFile(path, Sample()));
  }
#ifndef _WIN32
  EXPECT_TRUE(fs::is_fifo(pipe));
#endif
}

TEST_F(PreferenceFile, AFailedSaveLeavesTheFileAsItWas) {
  const auto missing = SavePreferenceFile((dir_ / "absent" / "prefs.json").string(), Sample());
  ASSERT_TRUE(missing);
  EXPECT_NE(missing.reason().find("creating a temporary file beside it: "), std::string::npos)
      << missing.reason();
  EXPECT_TRUE(InDirectory().empty());

  // A corrupt file, so every failure below comes where it would have been moved aside.
  const std::string before = R"({"tavrix-preferences": 1, "val)";
  Write(path_, before);
#ifndef _WIN32
  EXPECT_NE(missing.reason().find(std::strerror(ENOENT)), std::string::npos) << missing.reason();
  rlimit limit{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limit), 0);
  const auto handler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = limit;
  small.rlim_cur = 16;  // the temporary file's writing fails part way
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const auto tooLarge = SavePreferenceFile(path_, Sample());
  setrlimit(RLIMIT_FSIZE, &limit);
  std::signal(SIGXFSZ, handler);
  ASSERT_TRUE(tooLarge);
  EXPECT_NE(tooLarge.reason().find(std::strerror(EFBIG)), std::string::npos) << tooLarge.reason();
#endif

  PreferenceStore nan = Sample(), latin1 = Sample();  // values JSON cannot hold
  nan.SetReal("Tavrix/Ratio", std::nan(""));
  latin1.SetString("Tavrix/Latin1", "caf\xE9");
  for (const PreferenceStore* store : {&nan, &latin1}) {
    const auto refused = SavePreferenceFile(path_, *store);
    ASSERT_TRUE(refused);
    EXPECT_NE(refused.reason().find("\"Tavrix/"), std::string::npos) << refused.reason();
  }
  fs::create_directories(dir_ / "prefs.json.corrupt" / "full");  // nowhere to move it aside
  EXPECT_TRUE(SavePreferenceFile(path_, Sample()));
  EXPECT_EQ(Read(path_), before);
  EXPECT_EQ(InDirectory(), (Names{"prefs.json", "prefs.json.corrupt"}));
}

}  // namespace
}  // namespace tavrix::host
