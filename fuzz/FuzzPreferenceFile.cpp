// A preference file, whatever it holds: loaded or refused with a warning, and a file that was
// loaded saves and loads again to the same values.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

#include "host/artwork/PreferenceFile.h"

using namespace tavrix::host;

namespace {

const std::string& Scratch() {
  static const struct File {
    std::string path = "/tmp/tavrix-fuzz-prefs-" + std::to_string(getpid()) + ".json";
    ~File() { std::remove(path.c_str()); }
  } file;
  return file.path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::ofstream(Scratch(), std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  PreferenceStore store;
  const PreferenceFileLoad load = LoadPreferenceFile(Scratch(), store);
  if (load.outcome != PreferenceFileLoad::Outcome::Loaded) return 0;
  if (SavePreferenceFile(Scratch(), store)) return 0;  // a value the file format cannot hold
  PreferenceStore again;
  if (LoadPreferenceFile(Scratch(), again).outcome != PreferenceFileLoad::Outcome::Loaded ||
      again.values() != store.values()) {
    __builtin_trap();
  }
  return 0;
}
