// The plug-in property list (PiPL): what kind of plug-in a file holds and where its code starts.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/ByteView.h"

namespace tavrix::host {

inline constexpr uint16_t kPiplResourceId = 16000;
inline constexpr char kPiplResourceType[] = "PiPL";

class PiplError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct PiplProperty {
  uint32_t vendor = 0;
  uint32_t key = 0;
  uint32_t id = 0;
  std::vector<uint8_t> data;
};

struct Pipl {
  uint16_t version = 0;
  uint32_t listVersion = 0;
  std::vector<PiplProperty> properties;
};

// A four-character code as text, e.g. "SPEA".
std::string FourCharText(uint32_t code);

// Throws PiplError naming what is truncated or malformed.
Pipl ParsePipl(ByteView bytes);

// What the host needs to know before running any code of the plug-in.
struct PluginEntry {
  std::string entryPoint;
};

// Checks kind SPEA, interface version 2 and a readable entry-point name. Throws PiplError.
PluginEntry CheckPipl(const Pipl& pipl);

}  // namespace tavrix::host
