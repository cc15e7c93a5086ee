#include "host/ResourceTable.h"

#include "host/Utf16.h"

namespace tavrix::host {
namespace {

constexpr size_t kFixedHeaderTail = 16;  // data version, flags, language, version, characteristics

std::string At(size_t offset) {
  return " (resource at byte " + std::to_string(offset) + ")";
}

// A type or name field: 0xFFFF then a number, or a NUL-terminated UTF-16 text.
size_t ReadName(ByteView header, size_t offset, ResourceName& name, size_t entryStart) {
  uint16_t first = 0;
  if (!header.Read16(offset, first))
    throw ResourceError("resource header cut short" + At(entryStart));
  if (first == 0xFFFF) {
    if (!header.Read16(offset + 2, name.number)) {
      throw ResourceError("resource header cut short" + At(entryStart));
    }
    name.isNumber = true;
    return offset + 4;
  }
  name.isNumber = false;
  for (;;) {
    uint16_t unit = 0;
    if (!header.Read16(offset, unit)) {
      throw ResourceError("resource name runs past its header" + At(entryStart));
    }
    offset += 2;
    if (unit == 0) return offset;
    name.text += static_cast<char16_t>(unit);
  }
}

char16_t Upper(char16_t c) {
  return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
}

}  // namespace

bool ResourceName::Is(const std::string& asciiText) const {
  if (isNumber || text.size() != asciiText.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (Upper(text[i]) != Upper(static_cast<char16_t>(static_cast<unsigned char>(asciiText[i])))) {
      return false;
    }
  }
  return true;
}

std::string ResourceName::Describe() const {
  return isNumber ? std::to_string(number) : "\"" + Utf16ToUtf8(text) + "\"";
}

ResourceTable ResourceTable::Parse(ByteView bytes) {
  ResourceTable table;
  size_t offset = 0;
  while (offset < bytes.size) {
    uint32_t dataSize = 0;
    uint32_t headerSize = 0;
    if (!bytes.Read32(offset, dataSize) || !bytes.Read32(offset + 4, headerSize)) {
      throw ResourceError("resource entry cut short" + At(offset));
    }
    if (headerSize < 8 || !bytes.Has(offset, headerSize)) {
      throw ResourceError("resource header size " + std::to_string(headerSize) + " is impossible" +
                          At(offset));
    }
    const ByteView header = bytes.Sub(offset, headerSize);
    Resource resource;
    size_t cursor = ReadName(header, 8, resource.type, offset);
    cursor = AlignTo4(ReadName(header, cursor, resource.name, offset));
    if (!header.Has(cursor, kFixedHeaderTail)) {
      throw ResourceError("resource header cut short" + At(offset));
    }
    header.Read16(cursor + 6, resource.language);
    const size_t dataStart = offset + headerSize;
    if (!bytes.Has(dataStart, dataSize)) {
      throw ResourceError("resource " + resource.type.Describe() + "/" + resource.name.Describe() +
                          " claims " + std::to_string(dataSize) + " bytes beyond the end" +
                          At(offset));
    }
    // The first entry of every RES file is an empty marker (type and name 0, no data).
    const bool isMarker =
        dataSize == 0 && resource.type.Is(uint16_t{0}) && resource.name.Is(uint16_t{0});
    if (!isMarker) {
      resource.data.assign(bytes.data + dataStart, bytes.data + dataStart + dataSize);
      table.resources_.push_back(std::move(resource));
    }
    const size_t next = AlignTo4(dataStart + dataSize);
    if (next <= offset) break;
    offset = next;
  }
  return table;
}

template <class TypeMatch>
const Resource* ResourceTable::FindWhere(TypeMatch&& typeMatches, uint16_t id) const {
  const Resource* any = nullptr;
  for (const Resource& resource : resources_) {
    if (!typeMatches(resource.type) || !resource.name.Is(id)) continue;
    if (resource.language == kUsEnglish) return &resource;
    if (any == nullptr) any = &resource;
  }
  return any;
}

const Resource* ResourceTable::Find(uint16_t type, uint16_t id) const {
  return FindWhere([type](const ResourceName& name) { return name.Is(type); }, id);
}

const Resource* ResourceTable::Find(const std::string& type, uint16_t id) const {
  return FindWhere([&type](const ResourceName& name) { return name.Is(type); }, id);
}

std::optional<std::string> ResourceTable::String(uint32_t id) const {
  // Strings are stored sixteen to a block: block (id / 16) + 1, each a length then UTF-16 units.
  if (id / 16 + 1 > UINT16_MAX) return std::nullopt;
  const Resource* block = Find(kStringResourceType, static_cast<uint16_t>(id / 16 + 1));
  if (block == nullptr) return std::nullopt;
  const ByteView bytes{block->data.data(), block->data.size()};
  size_t offset = 0;
  for (uint32_t index = 0; index < 16; ++index) {
    uint16_t length = 0;
    if (!bytes.Read16(offset, length) || !bytes.Has(offset + 2, size_t{length} * 2)) {
      return std::nullopt;
    }
    offset += 2;
    if (index == id % 16) {
      if (length == 0) return std::nullopt;
      std::u16string text;
      for (uint16_t i = 0; i < length; ++i) {
        uint16_t unit = 0;
        bytes.Read16(offset + size_t{i} * 2, unit);
        text += static_cast<char16_t>(unit);
      }
      return Utf16ToUtf8(text);
    }
    offset += size_t{length} * 2;
  }
  return std::nullopt;
}

}  // namespace tavrix::host
