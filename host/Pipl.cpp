#include "host/Pipl.h"

#include <cstring>

namespace tavrix::host {
namespace {

constexpr uint32_t Code(const char (&text)[5]) {
  return (static_cast<uint32_t>(static_cast<uint8_t>(text[0])) << 24) |
         (static_cast<uint32_t>(static_cast<uint8_t>(text[1])) << 16) |
         (static_cast<uint32_t>(static_cast<uint8_t>(text[2])) << 8) |
         static_cast<uint32_t>(static_cast<uint8_t>(text[3]));
}

constexpr uint32_t kVendor = Code("ADBE");
constexpr uint32_t kKindKey = Code("kind");
constexpr uint32_t kInterfaceVersionKey = Code("ivrs");
constexpr uint32_t kEntryPointKey = Code("wx86");
constexpr uint32_t kPluginKind = Code("SPEA");
constexpr uint32_t kInterfaceVersion = 2;
constexpr size_t kPropertyHeaderSize = 16;

const PiplProperty* FindProperty(const Pipl& pipl, uint32_t key) {
  for (const PiplProperty& property : pipl.properties) {
    if (property.vendor == kVendor && property.key == key) return &property;
  }
  return nullptr;
}

uint32_t Read32Of(const PiplProperty& property) {
  const ByteView bytes{property.data.data(), property.data.size()};
  uint32_t value = 0;
  bytes.Read32(0, value);
  return value;
}

}  // namespace

std::string FourCharText(uint32_t code) {
  std::string text;
  for (int shift = 24; shift >= 0; shift -= 8) {
    const char c = static_cast<char>((code >> shift) & 0xFF);
    text += (c >= 0x20 && c < 0x7F) ? c : '?';
  }
  return text;
}

Pipl ParsePipl(ByteView bytes) {
  Pipl pipl;
  uint32_t count = 0;
  if (!bytes.Read16(0, pipl.version) || !bytes.Read32(2, pipl.listVersion) ||
      !bytes.Read32(6, count)) {
    throw PiplError("its PiPL is truncated: " + std::to_string(bytes.size) +
                    " bytes, too few for the list header");
  }
  size_t offset = 10;
  for (uint32_t index = 1; index <= count; ++index) {
    PiplProperty property;
    uint32_t length = 0;
    if (!bytes.Read32(offset, property.vendor) || !bytes.Read32(offset + 4, property.key) ||
        !bytes.Read32(offset + 8, property.id) || !bytes.Read32(offset + 12, length) ||
        !bytes.Has(offset + kPropertyHeaderSize, length)) {
      throw PiplError("its PiPL is truncated: property " + std::to_string(index) + " of " +
                      std::to_string(count) + " runs past the end of its " +
                      std::to_string(bytes.size) + " bytes");
    }
    const uint8_t* data = bytes.data + offset + kPropertyHeaderSize;
    property.data.assign(data, data + length);
    pipl.properties.push_back(std::move(property));
    offset += kPropertyHeaderSize + length;
  }
  return pipl;
}

PluginEntry CheckPipl(const Pipl& pipl) {
  const PiplProperty* kind = FindProperty(pipl, kKindKey);
  if (kind == nullptr || kind->data.size() != 4) {
    throw PiplError("its PiPL has no plug-in kind");
  }
  if (Read32Of(*kind) != kPluginKind) {
    throw PiplError("its PiPL says kind '" + FourCharText(Read32Of(*kind)) +
                    "', not a plug-in of kind 'SPEA'");
  }
  const PiplProperty* version = FindProperty(pipl, kInterfaceVersionKey);
  if (version == nullptr || version->data.size() != 4) {
    throw PiplError("its PiPL has no interface version");
  }
  if (Read32Of(*version) != kInterfaceVersion) {
    throw PiplError("its PiPL asks for interface version " + std::to_string(Read32Of(*version)) +
                    "; this host offers version 2");
  }
  const PiplProperty* entry = FindProperty(pipl, kEntryPointKey);
  if (entry == nullptr || entry->data.empty()) throw PiplError("its PiPL names no entry point");
  const char* name = reinterpret_cast<const char*>(entry->data.data());
  const size_t length = strnlen(name, entry->data.size());
  if (length == 0 || length == entry->data.size()) {
    throw PiplError("its PiPL entry-point name is empty or not terminated");
  }
  return PluginEntry{std::string(name, length)};
}

}  // namespace tavrix::host
