#include "host/TemporaryFolder.h"

#include <stdlib.h>

#include <random>
#include <stdexcept>

namespace tavrix::host {

std::filesystem::path MakeTemporaryFolder(const std::string& prefix) {
  const std::filesystem::path base = std::filesystem::temp_directory_path();
#ifdef _WIN32
  // No mkdtemp: a random name, made only if it is not there yet.
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device seed;
  std::mt19937 random(seed());
  std::uniform_int_distribution<size_t> letter(0, sizeof kLetters - 2);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = prefix + "-";
    for (int i = 0; i < 6; ++i) name += kLetters[letter(random)];
    std::error_code error;
    if (std::filesystem::create_directory(base / name, error)) return base / name;
  }
  throw std::runtime_error("cannot make a temporary folder in " + base.string());
#else
  std::string pattern = (base / (prefix + "-XXXXXX")).string();
  if (mkdtemp(pattern.data()) == nullptr)
    throw std::runtime_error("cannot make a temporary folder in " + base.string());
  return pattern;
#endif
}

}  // namespace tavrix::host
