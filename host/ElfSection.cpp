#include "host/ElfSection.h"

#include <cstring>

namespace tavrix::host {
namespace {

constexpr size_t kHeaderSize = 64;
constexpr size_t kSectionHeaderSize = 64;
constexpr uint32_t kSectionTypeNoBits = 8;

SectionLookup Problem(std::string text) {
  SectionLookup result;
  result.problem = std::move(text);
  return result;
}

struct SectionHeader {
  uint32_t name = 0;
  uint32_t type = 0;
  uint64_t offset = 0;
  uint64_t size = 0;
};

bool ReadSectionHeader(ByteView file, uint64_t tableOffset, uint32_t index, SectionHeader& out) {
  const uint64_t at = tableOffset + uint64_t{index} * kSectionHeaderSize;
  if (at < tableOffset || at > SIZE_MAX) return false;
  const size_t base = static_cast<size_t>(at);
  return file.Read32(base, out.name) && file.Read32(base + 4, out.type) &&
         file.Read64(base + 0x18, out.offset) && file.Read64(base + 0x20, out.size);
}

bool Contains(ByteView file, const SectionHeader& section) {
  return section.offset <= file.size && section.size <= file.size - section.offset;
}

}  // namespace

SectionLookup FindElfSection(ByteView file, const std::string& name) {
  static const uint8_t kMagic[4] = {0x7F, 'E', 'L', 'F'};
  if (!file.Has(0, kHeaderSize) || std::memcmp(file.data, kMagic, 4) != 0) {
    return Problem("it is not an ELF shared library");
  }
  if (file.data[4] != 2 || file.data[5] != 1) {
    return Problem("it is not a 64-bit little-endian ELF file");
  }
  uint64_t tableOffset = 0;
  uint16_t entrySize = 0;
  uint16_t count = 0;
  uint16_t namesIndex = 0;
  file.Read64(0x28, tableOffset);
  file.Read16(0x3A, entrySize);
  file.Read16(0x3C, count);
  file.Read16(0x3E, namesIndex);
  if (entrySize != kSectionHeaderSize || namesIndex >= count) {
    return Problem("its ELF section table is malformed");
  }
  if (tableOffset > file.size || uint64_t{count} * kSectionHeaderSize > file.size - tableOffset) {
    return Problem("its ELF section table lies outside the file (the file is cut short)");
  }
  SectionHeader names;
  if (!ReadSectionHeader(file, tableOffset, namesIndex, names) || !Contains(file, names)) {
    return Problem("its ELF section table lies outside the file");
  }
  const ByteView nameTable =
      file.Sub(static_cast<size_t>(names.offset), static_cast<size_t>(names.size));
  for (uint32_t i = 0; i < count; ++i) {
    SectionHeader section;
    if (!ReadSectionHeader(file, tableOffset, i, section)) {
      return Problem("its ELF section table lies outside the file");
    }
    if (section.name >= nameTable.size) continue;
    const char* start = reinterpret_cast<const char*>(nameTable.data) + section.name;
    const size_t room = nameTable.size - section.name;
    const size_t length = strnlen(start, room);
    if (length == room || name != std::string(start, length)) continue;
    if (section.type == kSectionTypeNoBits || !Contains(file, section)) {
      return Problem("its section " + name + " lies outside the file");
    }
    SectionLookup result;
    result.found = true;
    result.bytes = file.Sub(static_cast<size_t>(section.offset), static_cast<size_t>(section.size));
    return result;
  }
  return Problem("it has no " + name + " section (no resources)");
}

bool ExportsSymbol(ByteView file, const std::string& name) {
  constexpr size_t kSymbolSize = 24;
  constexpr uint8_t kGlobal = 1;
  constexpr uint8_t kWeak = 2;
  const SectionLookup symbols = FindElfSection(file, ".dynsym");
  const SectionLookup names = FindElfSection(file, ".dynstr");
  if (!symbols.found || !names.found) return false;
  for (size_t at = 0; at + kSymbolSize <= symbols.bytes.size; at += kSymbolSize) {
    uint32_t nameOffset = 0;
    uint16_t section = 0;
    symbols.bytes.Read32(at, nameOffset);
    symbols.bytes.Read16(at + 6, section);
    const uint8_t binding = symbols.bytes.data[at + 4] >> 4;
    const uint8_t visibility = symbols.bytes.data[at + 5] & 3;
    if (section == 0 || (binding != kGlobal && binding != kWeak) || visibility != 0) continue;
    if (nameOffset >= names.bytes.size) continue;
    const char* start = reinterpret_cast<const char*>(names.bytes.data) + nameOffset;
    const size_t room = names.bytes.size - nameOffset;
    const size_t length = strnlen(start, room);
    if (length < room && name == std::string(start, length)) return true;
  }
  return false;
}

std::string CheckLoadableSegments(ByteView file) {
  constexpr uint16_t kProgramHeaderSize = 56;
  constexpr uint32_t kLoadable = 1;
  uint64_t tableOffset = 0;
  uint16_t entrySize = 0;
  uint16_t count = 0;
  if (!file.Read64(0x20, tableOffset) || !file.Read16(0x36, entrySize) ||
      !file.Read16(0x38, count)) {
    return "it is not an ELF shared library";
  }
  if (count == 0) return "it has no loadable code";
  if (entrySize != kProgramHeaderSize || tableOffset > file.size ||
      uint64_t{count} * kProgramHeaderSize > file.size - tableOffset) {
    return "its ELF program headers lie outside the file (the file is cut short)";
  }
  for (uint16_t i = 0; i < count; ++i) {
    const size_t at = static_cast<size_t>(tableOffset) + size_t{i} * kProgramHeaderSize;
    uint32_t type = 0;
    uint64_t offset = 0;
    uint64_t size = 0;
    file.Read32(at, type);
    file.Read64(at + 0x08, offset);
    file.Read64(at + 0x20, size);
    if (type == kLoadable && (offset > file.size || size > file.size - offset)) {
      return "its code segment " + std::to_string(i) +
             " lies past the end of the file (the file "
             "is cut short)";
    }
  }
  return "";
}

}  // namespace tavrix::host
