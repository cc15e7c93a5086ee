// The built plug-in file as bytes, and copies of it written where a test wants them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tavrix::test {

using Bytes = std::vector<uint8_t>;

inline const char* PluginPath() {
  return TAVRIX_PLUGIN_PATH;
}

Bytes ReadFileBytes(const std::string& path);
// This test process's own temporary folder, removed when the process ends.
const std::filesystem::path& TempFolder();
// Writes the bytes to a fresh file in the test's temporary folder and answers its path.
std::string WriteTempFile(const std::string& name, const Bytes& bytes);

// The property list exactly as documented: 78 bytes.
Bytes DocumentedPipl();

// Offset of the first occurrence of `needle` in `haystack`; npos when absent.
size_t Find(const Bytes& haystack, const Bytes& needle);
Bytes Ascii(const std::string& text);

}  // namespace tavrix::test
