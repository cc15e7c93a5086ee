// The plug-in file shows the host one function and nothing else.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/PluginBytes.h"
#ifdef _WIN32
#include "host/PeFile.h"
#endif

namespace {

#ifdef _WIN32
// The DLL's export directory: what GetProcAddress can find.
std::vector<std::string> DefinedDynamicSymbols(const std::string& path) {
  const tavrix::test::Bytes file = tavrix::test::ReadFileBytes(path);
  return tavrix::host::PeExportNames(tavrix::host::ByteView{file.data(), file.size()});
}
#else
std::vector<std::string> DefinedDynamicSymbols(const std::string& path) {
  const std::string command = "nm -D --defined-only --format=posix '" + path + "' 2>&1";
  std::vector<std::string> names;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return names;
  char line[1024];
  while (std::fgets(line, sizeof line, pipe) != nullptr) {
    std::string text(line);
    names.push_back(text.substr(0, text.find(' ')));
  }
  pclose(pipe);
  return names;
}
#endif

TEST(Exports, OnlyPluginMainIsExported) {
  EXPECT_EQ(DefinedDynamicSymbols(tavrix::test::PluginPath()),
            std::vector<std::string>{"PluginMain"});
}

TEST(Exports, TheFileNameHasTheSpaceAndTheHostSuffix) {
  const std::string path = tavrix::test::PluginPath();
  EXPECT_EQ(path.substr(path.rfind('/') + 1), "Tavrix 2.0.aip");
}

}  // namespace
