// The host finds the plug-in through its property list, read from the file without running it.
#include "host/PluginFile.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>

#include "host/ElfSection.h"
#include "host/Host.h"
#include "host/Pipl.h"
#include "support/PluginBytes.h"

namespace tavrix::host {
namespace {

using test::Ascii;
using test::Bytes;
using test::DocumentedPipl;
using test::Find;
using test::PluginPath;
using test::ReadFileBytes;
using test::WriteTempFile;

// What the host says of a library without resources, and of a file that is no library.
#ifdef _WIN32
constexpr char kNoResources[] = "no resource directory";
constexpr char kNotALibrary[] = "not a Windows DLL";
#else
constexpr char kNoResources[] = "no .aip_resources section";
constexpr char kNotALibrary[] = "not an ELF shared library";
#endif

std::string LoadErrorOf(const std::string& path) {
  try {
    PluginFile::Read(path);
  } catch (const PluginLoadError& error) {
    return error.what();
  }
  return "";
}

TEST(PluginFile, CarriesTheDocumentedPiplVerbatim) {
  const Bytes file = ReadFileBytes(PluginPath());
  EXPECT_NE(Find(file, DocumentedPipl()), std::string::npos);

  const PluginFile plugin = PluginFile::Read(PluginPath());
  const Resource* pipl = plugin.resources().Find(kPiplResourceType, kPiplResourceId);
  ASSERT_NE(pipl, nullptr);
  EXPECT_EQ(pipl->language, kUsEnglish);
  EXPECT_EQ(pipl->data, DocumentedPipl());
  EXPECT_EQ(plugin.entryPoint(), "PluginMain");
}

TEST(PluginFile, PiplParsesIntoItsThreeProperties) {
  const Bytes bytes = DocumentedPipl();
  const Pipl pipl = ParsePipl(ByteView{bytes.data(), bytes.size()});
  EXPECT_EQ(pipl.version, 1);
  EXPECT_EQ(pipl.listVersion, 0u);
  ASSERT_EQ(pipl.properties.size(), 3u);
  EXPECT_EQ(FourCharText(pipl.properties[0].vendor), "ADBE");
  EXPECT_EQ(FourCharText(pipl.properties[0].key), "kind");
  EXPECT_EQ(FourCharText(pipl.properties[1].key), "ivrs");
  EXPECT_EQ(FourCharText(pipl.properties[2].key), "wx86");
  EXPECT_EQ(pipl.properties[2].data.size(), 12u);
}

TEST(PluginFile, ShipsTheTextsOfItsStringTable) {
  const PluginFile plugin = PluginFile::Read(PluginPath());
  const ResourceTable& r = plugin.resources();
  EXPECT_EQ(r.String(30001), "Error in Tavrix");
  EXPECT_EQ(r.String(30011), "Show Path Data");
  EXPECT_EQ(r.String(30016), "Hide Point Data");
  EXPECT_EQ(r.String(30023), "Tavrix 2.0");
  EXPECT_TRUE(r.String(30024).has_value());
  EXPECT_TRUE(r.String(30102).has_value());
  EXPECT_EQ(r.String(30204),
            "Changes distance by keyboard increment.\rShift-click multiplies by 10\r"
            "Option-click divides by 10");
  EXPECT_EQ(r.String(30206),
            "Toggles Illustrator\xC3\x8Ds internal corner setting.\rWill only affect some "
            "subsequent Illustrator operations.");
  EXPECT_EQ(r.String(30207),
            "When set, changing the direction of  one of the\r In/Out points changes the "
            "direction of the other\rpoint by the same amount.");
  EXPECT_EQ(r.String(30209), "In Absolute mode,  shows and sets the In/Out coordinates.");
  EXPECT_EQ(r.String(30216),
            "In Polar Mode, shows and sets the direction of the In/Out value from the point.");
  EXPECT_FALSE(r.String(30002).has_value());
  EXPECT_FALSE(r.String(30217).has_value());
}

TEST(PluginFile, ShipsThePaletteDialogAndTheFlyoutMenu) {
  const PluginFile plugin = PluginFile::Read(PluginPath());
  const Resource* dialog = plugin.resources().Find(kDialogResourceType, 18000);
  ASSERT_NE(dialog, nullptr);
  const ByteView bytes{dialog->data.data(), dialog->data.size()};
  uint32_t style = 0;
  uint16_t items = 0;
  uint16_t width = 0;
  uint16_t height = 0;
  ASSERT_TRUE(bytes.Read32(0, style) && bytes.Read16(8, items) && bytes.Read16(14, width) &&
              bytes.Read16(16, height));
  EXPECT_EQ(style, 0x90c000c0u);
  EXPECT_EQ(items, 46);
  EXPECT_EQ(width, 268);
  EXPECT_EQ(height, 286);
  EXPECT_NE(plugin.resources().Find(kMenuResourceType, 700), nullptr);
}

TEST(PluginFile, RefusesAFileWithoutResources) {
  const std::string message = LoadErrorOf(TAVRIX_NO_RESOURCES_PLUGIN);
  EXPECT_NE(message.find(TAVRIX_NO_RESOURCES_PLUGIN), std::string::npos) << message;
  EXPECT_NE(message.find(kNoResources), std::string::npos) << message;
}

TEST(PluginFile, RefusesMissingAndForeignFiles) {
  EXPECT_NE(LoadErrorOf("/nonexistent/Tavrix.aip").find("does not exist"), std::string::npos);
  const std::string text = WriteTempFile("text.aip", Ascii("just some text, not a library"));
  EXPECT_NE(LoadErrorOf(text).find(kNotALibrary), std::string::npos);
  const std::string empty = WriteTempFile("empty.aip", Bytes{});
  EXPECT_NE(LoadErrorOf(empty).find(kNotALibrary), std::string::npos);
}

#ifndef _WIN32
// The Windows build's own cases are in PeFileTest.cpp.
TEST(PluginFile, RefusesWhatIsNotARegularFileWithoutReadingOrWaiting) {
  const std::filesystem::path& folder = test::TempFolder();
  EXPECT_NE(LoadErrorOf(folder.string()).find("it is a directory"), std::string::npos);
  const std::string pipe = (folder / "plugin.fifo").string();
  std::filesystem::remove(pipe);
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_NE(LoadErrorOf(pipe).find("it is a pipe"), std::string::npos);  // and does not block
  EXPECT_NE(LoadErrorOf("/dev/zero").find("it is a device"), std::string::npos);
}

// The 64-bit little-endian value at `at`.
uint64_t Read64(const Bytes& b, size_t at) {
  uint64_t value = 0;
  for (int i = 7; i >= 0; --i) value = (value << 8) | b[at + static_cast<size_t>(i)];
  return value;
}

void Write64(Bytes& b, size_t at, uint64_t value) {
  for (int i = 0; i < 8; ++i)
    b[at + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
}

TEST(PluginFile, RefusesCodeThatLiesPastTheEndOfTheFile) {
  // A loadable segment claiming more bytes than the file has.
  Bytes file = ReadFileBytes(PluginPath());
  const size_t headers = static_cast<size_t>(Read64(file, 0x20));
  const uint16_t count = static_cast<uint16_t>(file[0x38] | (file[0x39] << 8));
  for (uint16_t i = 0; i < count; ++i) {
    const size_t at = headers + size_t{i} * 56;
    if (file[at] == 1) {  // the first loadable segment
      Write64(file, at + 0x20, file.size() * 2);
      break;
    }
  }
  const std::string grown = LoadErrorOf(WriteTempFile("grown.aip", file));
  EXPECT_NE(grown.find("lies past the end of the file"), std::string::npos) << grown;

  // The file cut after its resources, with the section names and the section table put back
  // at the new end: only the code segments lie outside it.
  Bytes original = ReadFileBytes(PluginPath());
  const SectionLookup resources =
      FindElfSection(ByteView{original.data(), original.size()}, kResourceSectionName);
  ASSERT_TRUE(resources.found);
  const size_t end =
      static_cast<size_t>(resources.bytes.data - original.data()) + resources.bytes.size;
  const size_t table = static_cast<size_t>(Read64(original, 0x28));
  const size_t sections = static_cast<size_t>(original[0x3C] | (original[0x3D] << 8));
  const size_t namesIndex = static_cast<size_t>(original[0x3E] | (original[0x3F] << 8));
  const size_t namesHeader = table + namesIndex * 64;
  const size_t namesAt = static_cast<size_t>(Read64(original, namesHeader + 0x18));
  const size_t namesSize = static_cast<size_t>(Read64(original, namesHeader + 0x20));
  Bytes cut(original.begin(), original.begin() + static_cast<long>(end));
  cut.insert(cut.end(), original.begin() + static_cast<long>(namesAt),
             original.begin() + static_cast<long>(namesAt + namesSize));
  const size_t newTable = cut.size();
  cut.insert(cut.end(), original.begin() + static_cast<long>(table),
             original.begin() + static_cast<long>(table + sections * 64));
  Write64(cut, 0x28, newTable);
  Write64(cut, newTable + namesIndex * 64 + 0x18, end);
  const std::string message = LoadErrorOf(WriteTempFile("cut.aip", cut));
  EXPECT_NE(message.find("lies past the end of the file"), std::string::npos) << message;
}

#endif

TEST(PluginFile, RefusesADialogTemplateThatDoesNotParseNamingTheResourceAndTheByte) {
  Bytes file = ReadFileBytes(PluginPath());
  // Dialog 18000's header: 46 items at (0, 0), 268 by 286 units, then its menu field.
  const Bytes header{0x2E, 0, 0, 0, 0, 0, 0x0C, 0x01, 0x1E, 0x01, 0, 0};
  const size_t at = Find(file, header);
  ASSERT_NE(at, std::string::npos);
  file[at + 10] = 'A';  // a menu named "A..."
  const std::string message = LoadErrorOf(WriteTempFile("menu.aip", file));
  EXPECT_NE(message.find("its dialog 18000 is malformed"), std::string::npos) << message;
  EXPECT_NE(message.find("at byte 18, the header names a menu bar"), std::string::npos) << message;
}

// A copy of the plug-in with its property list changed in place.
std::string PatchedPlugin(const std::string& name, const Bytes& from, const Bytes& to) {
  Bytes file = ReadFileBytes(PluginPath());
  const size_t at = Find(file, DocumentedPipl());
  EXPECT_NE(at, std::string::npos);
  const size_t within = Find(
      Bytes(file.begin() + static_cast<long>(at), file.begin() + static_cast<long>(at + 78)), from);
  EXPECT_NE(within, std::string::npos);
  std::copy(to.begin(), to.end(), file.begin() + static_cast<long>(at + within));
  return WriteTempFile(name, file);
}

TEST(PluginFile, RefusesAPiplOfAnotherKindOrVersion) {
  const std::string kind = PatchedPlugin("kind.aip", Ascii("AEPS"), Ascii("RTLF"));
  EXPECT_NE(LoadErrorOf(kind).find("kind 'FLTR', not a plug-in of kind 'SPEA'"), std::string::npos)
      << LoadErrorOf(kind);
  const std::string version =
      PatchedPlugin("version.aip", Bytes{'s', 'r', 'v', 'i', 0, 0, 0, 0, 4, 0, 0, 0, 2},
                    Bytes{'s', 'r', 'v', 'i', 0, 0, 0, 0, 4, 0, 0, 0, 3});
  EXPECT_NE(LoadErrorOf(version).find("interface version 3"), std::string::npos);
}

TEST(PluginFile, RefusesATruncatedPipl) {
  // A property count beyond the bytes that follow.
  const std::string count = PatchedPlugin("count.aip", Bytes{1, 0, 0, 0, 0, 0, 3, 0, 0, 0},
                                          Bytes{1, 0, 0, 0, 0, 0, 9, 0, 0, 0});
  EXPECT_NE(LoadErrorOf(count).find("PiPL is truncated: property 4 of 9"), std::string::npos)
      << LoadErrorOf(count);
  // The entry-point name claims more bytes than the resource has.
  const std::string entry = PatchedPlugin("entry.aip", Bytes{'6', '8', 'x', 'w', 0, 0, 0, 0, 12},
                                          Bytes{'6', '8', 'x', 'w', 0, 0, 0, 0, 200});
  EXPECT_NE(LoadErrorOf(entry).find("property 3 of 3 runs past the end"), std::string::npos)
      << LoadErrorOf(entry);
}

TEST(PluginFile, RefusesAnEntryPointTheLibraryDoesNotExport) {
  const std::string path = PatchedPlugin("entryname.aip", Ascii("PluginMain"), Ascii("PluginMane"));
  Host host;
  try {
    host.LoadPlugin(path);
    FAIL() << "loaded a plug-in whose entry point is missing";
  } catch (const PluginLoadError& error) {
    EXPECT_NE(std::string(error.what()).find("does not export 'PluginMane'"), std::string::npos)
        << error.what();
  }
}

}  // namespace
}  // namespace tavrix::host
