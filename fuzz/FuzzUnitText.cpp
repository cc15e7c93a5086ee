// What a person types into a field, read as a number in a unit: never a crash, never a hang.
#include <cstddef>
#include <cstdint>
#include <string>

#include "host/dialog/UnitText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const int unit = data[0] % 12;
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  (void)tavrix::host::ParseValue(text, unit);
  return 0;
}
