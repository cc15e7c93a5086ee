// The reader of Windows DLL files against small images laid out by hand as the format is
// documented, on every platform: so the sanitizer build checks that no header, table or name,
// however malformed, is read outside the file's bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "host/PeFile.h"
#include "host/Pipl.h"
#include "support/PluginBytes.h"

namespace tavrix::host {
namespace {

using test::Bytes;

constexpr size_t kPe = 0x40;              // the signature
constexpr size_t kOptional = kPe + 24;    // the optional header, 240 bytes
constexpr size_t kSectionTable = 0x148;   // one section header
constexpr size_t kRaw = 0x200;            // the section's bytes in the file
constexpr uint32_t kSectionRva = 0x1000;  // and in memory
constexpr size_t kSectionSize = 0x100;

void Put16(Bytes& b, size_t at, uint16_t v) {
  b[at] = static_cast<uint8_t>(v);
  b[at + 1] = static_cast<uint8_t>(v >> 8);
}

void Put32(Bytes& b, size_t at, uint32_t v) {
  for (size_t i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// A 64-bit DLL with one section: a resource directory holding the PiPL as PIPL/16000/1033, and
// an export directory naming PluginMain. Offsets within the section are given from its start.
struct Image {
  Bytes file = Bytes(kRaw + kSectionSize, 0);

  static constexpr size_t kPiplData = 100;
  static constexpr size_t kExports = 180;

  Image() {
    file[0] = 'M';
    file[1] = 'Z';
    Put32(file, 0x3C, kPe);
    file[kPe] = 'P';
    file[kPe + 1] = 'E';
    Put16(file, kPe + 4, kPeMachineX64);
    Put16(file, kPe + 6, 1);        // sections
    Put16(file, kPe + 20, 240);     // optional header size
    Put16(file, kPe + 22, 0x2022);  // a DLL, executable
    Put16(file, kOptional, 0x20B);
    Put32(file, kOptional + 60, kRaw);  // headers size
    Put32(file, kOptional + 108, 16);   // data directories
    Put32(file, kOptional + 112, kSectionRva + kExports);
    Put32(file, kOptional + 116, 64);
    Put32(file, kOptional + 112 + 16, kSectionRva);
    Put32(file, kOptional + 116 + 16, kExports);
    std::copy_n(".rsrc", 5, file.begin() + kSectionTable);
    Put32(file, kSectionTable + 8, kSectionSize);
    Put32(file, kSectionTable + 12, kSectionRva);
    Put32(file, kSectionTable + 16, kSectionSize);
    Put32(file, kSectionTable + 20, kRaw);

    // Types: one named; names: 16000; languages: 1033; then the data entry and the type's name.
    Table(0, 1, 0);
    Entry(16, 0x80000000u | 88, 0x80000000u | 24);
    Table(24, 0, 1);
    Entry(40, 16000, 0x80000000u | 48);
    Table(48, 0, 1);
    Entry(64, 1033, 72);
    Put32(file, kRaw + 72, kSectionRva + kPiplData);
    Put32(file, kRaw + 76, 78);
    Put16(file, kRaw + 88, 4);
    for (size_t i = 0; i < 4; ++i) Put16(file, kRaw + 90 + 2 * i, static_cast<uint16_t>("PIPL"[i]));
    const Bytes pipl = test::DocumentedPipl();
    std::copy(pipl.begin(), pipl.end(), file.begin() + kRaw + kPiplData);

    // One function, one name, its ordinal, then the name itself.
    Put32(file, kRaw + kExports + 20, 1);
    Put32(file, kRaw + kExports + 24, 1);
    Put32(file, kRaw + kExports + 28, kSectionRva + kExports + 40);
    Put32(file, kRaw + kExports + 32, kSectionRva + kExports + 44);
    Put32(file, kRaw + kExports + 36, kSectionRva + kExports + 48);
    Put32(file, kRaw + kExports + 40, kSectionRva);
    Put32(file, kRaw + kExports + 44, kSectionRva + kExports + 52);
    const std::string name = "PluginMain";
    std::copy(name.begin(), name.end(), file.begin() + kRaw + kExports + 52);
  }
  void Table(size_t at, uint16_t named, uint16_t numbered) {
    Put16(file, kRaw + at + 12, named);
    Put16(file, kRaw + at + 14, numbered);
  }
  void Entry(size_t at, uint32_t name, uint32_t target) {
    Put32(file, kRaw + at, name);
    Put32(file, kRaw + at + 4, target);
  }
  ByteView View() const { return ByteView{file.data(), file.size()}; }
};

std::string ResourceErrorOf(const Bytes& file) {
  try {
    ReadPeResources(ByteView{file.data(), file.size()});
  } catch (const ResourceError& error) {
    return error.what();
  }
  return "";
}

TEST(PeImage, ReadsTheDocumentedLayout) {
  const Image image;
  EXPECT_FALSE(CheckPeImage(image.View(), kPeMachineX64));
  EXPECT_EQ(CheckPeImage(image.View(), kPeMachineI386).reason(),
            "it is a 64-bit (x86-64) Windows DLL, and this host loads 32-bit (x86) ones");
  EXPECT_EQ(PeExportNames(image.View()), std::vector<std::string>{"PluginMain"});
  const std::vector<Resource> resources = ReadPeResources(image.View());
  ASSERT_EQ(resources.size(), 1u);
  EXPECT_TRUE(resources[0].type.Is(kPiplResourceType));
  EXPECT_TRUE(resources[0].name.Is(kPiplResourceId));
  EXPECT_EQ(resources[0].language, 1033);
  EXPECT_EQ(resources[0].data, test::DocumentedPipl());
}

TEST(PeImage, EveryCutOfTheFileIsRefused) {
  const Image image;
  for (size_t length = 0; length < image.file.size(); ++length) {
    const Bytes cut(image.file.begin(), image.file.begin() + static_cast<long>(length));
    EXPECT_TRUE(CheckPeImage(ByteView{cut.data(), cut.size()})) << length;
    // Read anyway, as a careless caller might: refused or read, never outside the bytes.
    ResourceErrorOf(cut);
    PeExportNames(ByteView{cut.data(), cut.size()});
  }
}

TEST(PeImage, EveryByteChangedIsRefusedOrReadWithinTheFile) {
  const Image image;
  Bytes changed = image.file;
  for (size_t at = 0; at < changed.size(); ++at) {
    for (uint8_t value : {uint8_t{0x00}, uint8_t{0x7F}, uint8_t{0x80}, uint8_t{0xFF}}) {
      changed[at] = value;
      static_cast<void>(CheckPeImage(ByteView{changed.data(), changed.size()}));
      ResourceErrorOf(changed);
      PeExportNames(ByteView{changed.data(), changed.size()});
    }
    changed[at] = image.file[at];
  }
  std::mt19937 random(11);
  std::uniform_int_distribution<size_t> place(0, changed.size() - 1);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int round = 0; round < 3000; ++round) {
    Bytes corrupted = image.file;
    for (int i = 0; i < 1 + round % 6; ++i)
      corrupted[place(random)] = static_cast<uint8_t>(byte(random));
    ResourceErrorOf(corrupted);
    PeExportNames(ByteView{corrupted.data(), corrupted.size()});
  }
}

TEST(PeImage, ATreeThatIsNotThreeLevelsDeepIsRefused) {
  Image loop;
  loop.Entry(64, 1033, 0x80000000u);  // the language level points back at the root table
  EXPECT_NE(ResourceErrorOf(loop.file).find("a resource entry is missing where one belongs"),
            std::string::npos)
      << ResourceErrorOf(loop.file);
  Image shallow;
  shallow.Entry(16, 0x80000000u | 88, 72);  // a type that is data
  EXPECT_NE(ResourceErrorOf(shallow.file).find("a resource table is missing where one belongs"),
            std::string::npos);
}

TEST(PeImage, SharedTablesThatNameTooManyResourcesAreRefused) {
  // 300 types, each the same table of 300 names, each the same table of one language: 90,000
  // resources from 5 KB of tables.
  Image image;
  image.file.resize(kRaw + 0x2000, 0);
  Put32(image.file, kSectionTable + 8, 0x2000);
  Put32(image.file, kSectionTable + 16, 0x2000);
  Put32(image.file, kOptional + 116 + 16, 0x2000);
  const size_t names = 0x1000;
  const size_t languages = 0x1C00;
  image.Table(0, 0, 300);
  image.Table(names, 0, 300);
  for (uint16_t i = 0; i < 300; ++i) {
    image.Entry(16 + i * 8u, 1000u + i, 0x80000000u | names);
    image.Entry(names + 16 + i * 8u, 1000u + i, 0x80000000u | languages);
  }
  image.Table(languages, 0, 1);
  image.Entry(languages + 16, 1033, languages + 24);
  Put32(image.file, kRaw + languages + 24, kSectionRva + languages + 40);
  Put32(image.file, kRaw + languages + 28, 4);
  EXPECT_NE(ResourceErrorOf(image.file).find("names more than 65536 resources"), std::string::npos)
      << ResourceErrorOf(image.file);
}

// A section of `size` bytes that is all resource directory.
Image WithResourceSection(size_t size) {
  Image image;
  image.file.resize(kRaw + size);
  std::fill(image.file.begin() + kRaw, image.file.end(), 0);
  Put32(image.file, kSectionTable + 8, static_cast<uint32_t>(size));
  Put32(image.file, kSectionTable + 16, static_cast<uint32_t>(size));
  Put32(image.file, kOptional + 116 + 16, static_cast<uint32_t>(size));
  return image;
}

TEST(PeImage, SharedTablesWalkedOverAndOverAreRefusedEvenWithoutResources) {
  // 600 types, each the same table of 600 names, each an empty table of languages: 360,000
  // entries to visit from 10 KB, and not one resource to count.
  Image image = WithResourceSection(0x3000);
  const size_t names = 0x1400;
  const size_t languages = 0x2800;
  image.Table(0, 0, 600);
  image.Table(names, 0, 600);
  for (uint16_t i = 0; i < 600; ++i) {
    image.Entry(16 + i * 8u, 1000u + i, 0x80000000u | names);
    image.Entry(names + 16 + i * 8u, 1000u + i, 0x80000000u | languages);
  }
  image.Table(languages, 0, 0);
  EXPECT_NE(ResourceErrorOf(image.file).find("tables name more than 262144 entries"),
            std::string::npos)
      << ResourceErrorOf(image.file);
}

TEST(PeImage, OneBlockOfBytesNamedOverAndOverIsRefusedBeforeItFillsMemory) {
  // 4,000 languages, each the same 32 KB of data: 128 MB to copy from a 64 KB file.
  Image image = WithResourceSection(0x10000);
  const size_t names = 0x40;
  const size_t languages = 0x100;
  const size_t entry = 0x8000;
  image.Table(0, 0, 1);
  image.Entry(16, 16000, 0x80000000u | names);
  image.Table(names, 0, 1);
  image.Entry(names + 16, 1, 0x80000000u | languages);
  image.Table(languages, 0, 4000);
  for (uint16_t i = 0; i < 4000; ++i) image.Entry(languages + 16 + i * 8u, i, entry);
  Put32(image.file, kRaw + entry, kSectionRva + entry + 16);
  Put32(image.file, kRaw + entry + 4, 0x8000 - 16);
  EXPECT_NE(ResourceErrorOf(image.file).find("names the same bytes over and over"),
            std::string::npos)
      << ResourceErrorOf(image.file);
}

}  // namespace
}  // namespace tavrix::host
