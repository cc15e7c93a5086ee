#include "host/PeFile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace tavrix::host {
namespace {

constexpr size_t kSectionHeaderSize = 40;
constexpr uint16_t kOptionalHeader32 = 0x10B;
constexpr uint16_t kOptionalHeader64 = 0x20B;
constexpr uint16_t kDllFlag = 0x2000;
constexpr uint32_t kExportDirectory = 0;
constexpr uint32_t kResourceDirectory = 2;
constexpr uint32_t kHighBit = 0x80000000u;
// Subdirectories may be shared, so a small file can describe a huge tree: past this many
// resources it is taken for malformed rather than walked.
constexpr size_t kMaxResources = 65536;
// Tables may share entries, so a small file can name one table or one block of bytes over and
// over: the walk stops after this many entries, and after copying this many times the file.
constexpr size_t kMaxEntriesVisited = 4 * kMaxResources;
constexpr size_t kCopiesOfTheFile = 4;
constexpr size_t kCopySlack = size_t{16} << 20;

struct Section {
  std::string name;
  uint32_t virtualSize = 0;
  uint32_t virtualAddress = 0;
  uint32_t rawSize = 0;
  uint32_t rawOffset = 0;
};

struct Image {
  std::string problem;  // empty when the headers and the section table could be read
  uint16_t machine = 0;
  uint16_t flags = 0;
  uint32_t headersSize = 0;
  uint32_t symbolsAt = 0;  // the COFF symbol table a linker may leave at the end; 0 for none
  uint32_t symbolCount = 0;
  uint32_t directoryCount = 0;
  size_t directoriesAt = 0;  // where the data directory table starts in the file
  std::vector<Section> sections;
};

Image Problem(std::string text) {
  Image image;
  image.problem = std::move(text);
  return image;
}

Image ReadImage(ByteView file) {
  uint32_t peAt = 0;
  if (!file.Has(0, 64) || file.data[0] != 'M' || file.data[1] != 'Z' || !file.Read32(0x3C, peAt) ||
      !file.Has(peAt, 24) || std::memcmp(file.data + peAt, "PE\0\0", 4) != 0) {
    return Problem("it is not a Windows DLL");
  }
  Image image;
  uint16_t sectionCount = 0;
  uint16_t optionalSize = 0;
  uint16_t magic = 0;
  file.Read16(peAt + 4, image.machine);
  file.Read16(peAt + 6, sectionCount);
  file.Read32(peAt + 8 + 4, image.symbolsAt);
  file.Read32(peAt + 8 + 8, image.symbolCount);
  file.Read16(peAt + 20, optionalSize);
  file.Read16(peAt + 22, image.flags);
  const size_t optionalAt = size_t{peAt} + 24;
  if (!file.Has(optionalAt, optionalSize) || !file.Read16(optionalAt, magic)) {
    return Problem("its PE headers lie outside the file (the file is cut short)");
  }
  if (magic != kOptionalHeader32 && magic != kOptionalHeader64) {
    return Problem("its PE optional header is malformed");
  }
  const size_t countAt = magic == kOptionalHeader64 ? 108 : 92;
  if (optionalSize < countAt + 4) return Problem("its PE optional header is malformed");
  file.Read32(optionalAt + 60, image.headersSize);
  file.Read32(optionalAt + countAt, image.directoryCount);
  image.directoriesAt = optionalAt + countAt + 4;
  if (uint64_t{image.directoryCount} * 8 > optionalSize - countAt - 4) {
    return Problem("its PE optional header is malformed");
  }
  const size_t tableAt = optionalAt + optionalSize;
  if (!file.Has(tableAt, size_t{sectionCount} * kSectionHeaderSize)) {
    return Problem("its section table lies outside the file (the file is cut short)");
  }
  for (uint16_t i = 0; i < sectionCount; ++i) {
    const size_t at = tableAt + size_t{i} * kSectionHeaderSize;
    Section section;
    const char* name = reinterpret_cast<const char*>(file.data + at);
    section.name.assign(name, strnlen(name, 8));
    file.Read32(at + 8, section.virtualSize);
    file.Read32(at + 12, section.virtualAddress);
    file.Read32(at + 16, section.rawSize);
    file.Read32(at + 20, section.rawOffset);
    image.sections.push_back(std::move(section));
  }
  return image;
}

std::string MachineName(uint16_t machine) {
  if (machine == kPeMachineX64) return "64-bit (x86-64)";
  if (machine == kPeMachineI386) return "32-bit (x86)";
  char text[16];
  std::snprintf(text, sizeof text, "0x%04X", machine);
  return std::string("machine ") + text;
}

// The file's bytes from a relative virtual address to the end of its section's raw data: what
// the loader would map there. Empty (nothing found) when no section holds it in the file.
bool BytesAt(const Image& image, ByteView file, uint32_t rva, ByteView& rest) {
  for (const Section& section : image.sections) {
    if (rva < section.virtualAddress) continue;
    const uint32_t within = rva - section.virtualAddress;
    if (within >= std::max(section.virtualSize, section.rawSize)) continue;
    if (within >= section.rawSize || !file.Has(section.rawOffset, section.rawSize)) return false;
    rest = file.Sub(size_t{section.rawOffset} + within, section.rawSize - within);
    return true;
  }
  return false;
}

bool Directory(const Image& image, ByteView file, uint32_t index, uint32_t& rva, uint32_t& size) {
  if (index >= image.directoryCount) return false;
  const size_t at = image.directoriesAt + size_t{index} * 8;
  return file.Read32(at, rva) && file.Read32(at + 4, size) && rva != 0 && size != 0;
}

// Walks the resource directory: types, then names, then languages, then the data entries.
class ResourceWalker {
 public:
  ResourceWalker(const Image& image, ByteView file, ByteView directory)
      : image_(image),
        file_(file),
        directory_(directory),
        copyBudget_(file.size * kCopiesOfTheFile + kCopySlack) {}

  void Walk(std::vector<Resource>& out) {
    Resource resource;
    WalkLevel(0, 0, resource, out);
  }

 private:
  std::string At(size_t offset) const {
    return " (resource directory at byte " +
           std::to_string(static_cast<size_t>(directory_.data - file_.data) + offset) + ")";
  }

  ResourceName ReadName(uint32_t field) {
    ResourceName name;
    if ((field & kHighBit) == 0) {
      if (field > UINT16_MAX)
        throw ResourceError("resource id " + std::to_string(field) + " is out of range" + At(0));
      name.number = static_cast<uint16_t>(field);
      return name;
    }
    const size_t offset = field & ~kHighBit;
    uint16_t length = 0;
    if (!directory_.Read16(offset, length) || !directory_.Has(offset + 2, size_t{length} * 2)) {
      throw ResourceError("a resource name runs past the resource directory" + At(offset));
    }
    name.isNumber = false;
    Spend(size_t{length} * 2, offset);
    for (uint16_t i = 0; i < length; ++i) {
      uint16_t unit = 0;
      directory_.Read16(offset + 2 + size_t{i} * 2, unit);
      name.text += static_cast<char16_t>(unit);
    }
    return name;
  }

  void WalkLevel(int level, size_t offset, Resource& resource, std::vector<Resource>& out) {
    uint16_t named = 0;
    uint16_t numbered = 0;
    if (!directory_.Read16(offset + 12, named) || !directory_.Read16(offset + 14, numbered) ||
        !directory_.Has(offset + 16, (size_t{named} + numbered) * 8)) {
      throw ResourceError("a resource table lies outside the resource directory" + At(offset));
    }
    for (size_t i = 0; i < size_t{named} + numbered; ++i) {
      if (++entriesVisited_ > kMaxEntriesVisited) {
        throw ResourceError("the resource directory's tables name more than " +
                            std::to_string(kMaxEntriesVisited) + " entries" + At(offset));
      }
      uint32_t nameField = 0;
      uint32_t target = 0;
      directory_.Read32(offset + 16 + i * 8, nameField);
      directory_.Read32(offset + 20 + i * 8, target);
      const bool isTable = (target & kHighBit) != 0;
      if (isTable != (level < 2)) {
        throw ResourceError(std::string("a resource ") + (level < 2 ? "table" : "entry") +
                            " is missing where one belongs" + At(offset + 16 + i * 8));
      }
      const ResourceName name = ReadName(nameField);
      if (level == 0) resource.type = name;
      if (level == 1) resource.name = name;
      if (level < 2) {
        WalkLevel(level + 1, target & ~kHighBit, resource, out);
        continue;
      }
      resource.language = name.isNumber ? name.number : 0;
      out.push_back(Leaf(resource, target));
      if (out.size() > kMaxResources) {
        throw ResourceError("the resource directory names more than " +
                            std::to_string(kMaxResources) + " resources" + At(0));
      }
    }
  }

  Resource Leaf(const Resource& resource, size_t entry) {
    uint32_t rva = 0;
    uint32_t size = 0;
    if (!directory_.Read32(entry, rva) || !directory_.Read32(entry + 4, size)) {
      throw ResourceError("a resource entry lies outside the resource directory" + At(entry));
    }
    ByteView bytes;
    if (!BytesAt(image_, file_, rva, bytes) || !bytes.Has(0, size)) {
      throw ResourceError("resource " + resource.type.Describe() + "/" + resource.name.Describe() +
                          " claims " + std::to_string(size) +
                          " bytes beyond the end of its section" + At(entry));
    }
    Spend(size + (resource.type.text.size() + resource.name.text.size()) * 2, entry);
    Resource leaf = resource;
    leaf.data.assign(bytes.data, bytes.data + size);
    return leaf;
  }

  // Counts bytes about to be copied out of the file against what a real file can need.
  void Spend(size_t bytes, size_t offset) {
    copied_ += bytes;
    if (copied_ > copyBudget_) {
      throw ResourceError("the resource directory names the same bytes over and over, more than " +
                          std::to_string(kCopiesOfTheFile) + " times the file's size" + At(offset));
    }
  }

  const Image& image_;
  ByteView file_;
  ByteView directory_;
  const size_t copyBudget_;
  size_t copied_ = 0;
  size_t entriesVisited_ = 0;
};

}  // namespace

Fault CheckPeImage(ByteView file, uint16_t machine) {
  const Image image = ReadImage(file);
  if (!image.problem.empty()) return Fault(image.problem);
  if ((image.flags & kDllFlag) == 0) return Fault("it is a Windows program, not a DLL");
  if (image.machine != machine) {
    return Fault("it is a " + MachineName(image.machine) + " Windows DLL, and this host loads " +
                 MachineName(machine) + " ones");
  }
  if (image.headersSize > file.size) {
    return Fault("its PE headers lie past the end of the file (the file is cut short)");
  }
  if (image.sections.empty()) return Fault("it has no loadable code");
  for (size_t i = 0; i < image.sections.size(); ++i) {
    const Section& section = image.sections[i];
    if (section.rawSize != 0 && !file.Has(section.rawOffset, section.rawSize)) {
      return Fault("its section " + std::to_string(i) + " (" + section.name +
                   ") lies past the end of the file (the file is cut short)");
    }
  }
  // The symbols and their names, after everything else, are the first to go when a file is cut.
  if (image.symbolsAt != 0) {
    const uint64_t names = uint64_t{image.symbolsAt} + uint64_t{image.symbolCount} * 18;
    uint32_t namesSize = 0;
    if (names > file.size || !file.Read32(static_cast<size_t>(names), namesSize) ||
        !file.Has(static_cast<size_t>(names), namesSize)) {
      return Fault("its symbol table lies past the end of the file (the file is cut short)");
    }
  }
  return Fault();
}

std::vector<Resource> ReadPeResources(ByteView file) {
  const Image image = ReadImage(file);
  if (!image.problem.empty()) throw ResourceError(image.problem);
  uint32_t rva = 0;
  uint32_t size = 0;
  if (!Directory(image, file, kResourceDirectory, rva, size)) return {};
  ByteView directory;
  if (!BytesAt(image, file, rva, directory) || !directory.Has(0, size)) {
    throw ResourceError("the resource directory lies outside the file's sections");
  }
  std::vector<Resource> resources;
  ResourceWalker(image, file, directory.Sub(0, size)).Walk(resources);
  return resources;
}

std::vector<std::string> PeExportNames(ByteView file) {
  const Image image = ReadImage(file);
  uint32_t rva = 0;
  uint32_t size = 0;
  ByteView directory;
  if (!image.problem.empty() || !Directory(image, file, kExportDirectory, rva, size) ||
      !BytesAt(image, file, rva, directory)) {
    return {};
  }
  uint32_t count = 0;
  uint32_t namesRva = 0;
  ByteView table;
  if (!directory.Read32(24, count) || !directory.Read32(32, namesRva) ||
      !BytesAt(image, file, namesRva, table) || count > table.size / 4) {
    return {};
  }
  std::vector<std::string> names;
  for (uint32_t i = 0; i < count; ++i) {
    uint32_t nameRva = 0;
    ByteView text;
    table.Read32(size_t{i} * 4, nameRva);
    if (!BytesAt(image, file, nameRva, text)) continue;
    const char* start = reinterpret_cast<const char*>(text.data);
    const size_t length = strnlen(start, text.size);
    if (length < text.size) names.emplace_back(start, length);
  }
  return names;
}

}  // namespace tavrix::host
