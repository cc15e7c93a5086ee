// Whatever a plug-in file holds, reading it never looks outside its bytes: each malformed input
// is refused with a message or read as far as it makes sense. The sanitizer build checks the
// "never outside" part on every case here.
#include <gtest/gtest.h>

#include <random>

#include "host/ElfSection.h"
#include "host/Pipl.h"
#include "host/PluginFile.h"
#include "host/ResourceTable.h"
#include "support/PluginBytes.h"

namespace tavrix::host {
namespace {

using test::Bytes;

// The compiled resources as RES bytes: the ELF plug-in's resource section, or on Windows, whose
// DLL holds a resource directory instead, the RES file compiled from the same script.
Bytes ResourceSection() {
#ifdef _WIN32
  static const Bytes section = test::ReadFileBytes(TAVRIX_RES_FILE);
#else
  static const Bytes section = [] {
    const Bytes file = test::ReadFileBytes(test::PluginPath());
    const SectionLookup found =
        FindElfSection(ByteView{file.data(), file.size()}, kResourceSectionName);
    return Bytes(found.bytes.data, found.bytes.data + found.bytes.size);
  }();
#endif
  return section;
}

// Parses as a host would: the table, every string, and the property list.
void ReadEverything(const Bytes& section) {
  try {
    const ResourceTable table = ResourceTable::Parse(ByteView{section.data(), section.size()});
    for (uint32_t id = 29990; id < 30230; ++id) table.String(id);
    if (const Resource* pipl = table.Find(kPiplResourceType, kPiplResourceId)) {
      CheckPipl(ParsePipl(ByteView{pipl->data.data(), pipl->data.size()}));
    }
  } catch (const ResourceError&) {
  } catch (const PiplError&) {
  }
}

TEST(MalformedInput, EveryTruncationOfTheResourcesIsHandled) {
  const Bytes section = ResourceSection();
  ASSERT_GT(section.size(), 1000u);
  for (size_t length = 0; length < section.size(); length += 7) {
    ReadEverything(Bytes(section.begin(), section.begin() + static_cast<long>(length)));
  }
}

TEST(MalformedInput, RandomlyCorruptedResourcesAreHandled) {
  const Bytes section = ResourceSection();
  std::mt19937 random(20261208);
  std::uniform_int_distribution<size_t> position(0, section.size() - 1);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int round = 0; round < 3000; ++round) {
    Bytes corrupted = section;
    const int changes = 1 + round % 4;
    for (int i = 0; i < changes; ++i)
      corrupted[position(random)] = static_cast<uint8_t>(byte(random));
    ReadEverything(corrupted);
  }
}

TEST(MalformedInput, AResourceClaimingMoreBytesThanThereAreIsRefusedByName) {
  Bytes section = ResourceSection();
  // The second entry's data size (the first is the empty marker of 32 bytes).
  section[32] = 0xFF;
  section[33] = 0xFF;
  section[34] = 0xFF;
  section[35] = 0x7F;
  try {
    ResourceTable::Parse(ByteView{section.data(), section.size()});
    FAIL() << "accepted a resource larger than its file";
  } catch (const ResourceError& error) {
    EXPECT_NE(std::string(error.what()).find("beyond the end"), std::string::npos) << error.what();
  }
}

TEST(MalformedInput, TruncatedPluginFilesAreRefusedWithAReason) {
  const Bytes file = test::ReadFileBytes(test::PluginPath());
  for (size_t length : {size_t{0}, size_t{3}, size_t{63}, size_t{64}, size_t{4096}, file.size() / 2,
                        file.size() - 1}) {
    const std::string path = test::WriteTempFile(
        "truncated.aip", Bytes(file.begin(), file.begin() + static_cast<long>(length)));
    try {
      PluginFile::Read(path);
      FAIL() << "accepted the first " << length << " bytes of the plug-in";
    } catch (const PluginLoadError& error) {
      EXPECT_NE(std::string(error.what()).find(path), std::string::npos);
    }
  }
}

#ifndef _WIN32
TEST(MalformedInput, CorruptedSectionTablesAreRefused) {
  const Bytes file = test::ReadFileBytes(test::PluginPath());
  std::mt19937 random(7);
  std::uniform_int_distribution<int> byte(0, 255);
  // Offsets 0x28..0x3F hold the section table's place, entry size, count and name index.
  for (int round = 0; round < 500; ++round) {
    Bytes corrupted = file;
    corrupted[0x28 + static_cast<size_t>(round % 24)] = static_cast<uint8_t>(byte(random));
    FindElfSection(ByteView{corrupted.data(), corrupted.size()}, kResourceSectionName);
  }
}
#endif

}  // namespace
}  // namespace tavrix::host
