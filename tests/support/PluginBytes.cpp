#include "support/PluginBytes.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "host/TemporaryFolder.h"

namespace tavrix::test {

Bytes ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return Bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const std::filesystem::path& TempFolder() {
  // One folder of its own per test process, gone when it ends: test runs side by side (the
  // native and the sanitizer build) never write over each other's files.
  static const struct Folder {
    std::filesystem::path path;
    Folder() : path(host::MakeTemporaryFolder("tavrix-tests")) {}
    ~Folder() {
      std::error_code ignored;
      std::filesystem::remove_all(path, ignored);
    }
  } folder;
  return folder.path;
}

std::string WriteTempFile(const std::string& name, const Bytes& bytes) {
  const std::string path = (TempFolder() / name).string();
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return path;
}

Bytes Ascii(const std::string& text) {
  return Bytes(text.begin(), text.end());
}

Bytes DocumentedPipl() {
  Bytes b;
  auto u16 = [&b](uint16_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
  };
  auto u32 = [&b](uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
  };
  auto text = [&b](const std::string& s) { b.insert(b.end(), s.begin(), s.end()); };
  u16(1);
  u32(0);
  u32(3);
  text("EBDA");
  text("dnik");
  u32(0);
  u32(4);
  text("AEPS");
  text("EBDA");
  text("srvi");
  u32(0);
  u32(4);
  u32(2);
  text("EBDA");
  text("68xw");
  u32(0);
  u32(12);
  text("PluginMain");
  u16(0);
  return b;
}

size_t Find(const Bytes& haystack, const Bytes& needle) {
  const auto at = std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end());
  return at == haystack.end() ? std::string::npos : static_cast<size_t>(at - haystack.begin());
}

}  // namespace tavrix::test
