// A property list, whatever it holds: refused with a message or read, never read past its end.
#include <cstddef>
#include <cstdint>

#include "host/Pipl.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    (void)tavrix::host::CheckPipl(tavrix::host::ParsePipl(tavrix::host::ByteView{data, size}));
  } catch (const tavrix::host::PiplError&) {
  }
  return 0;
}
