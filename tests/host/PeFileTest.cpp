// The Windows host reads the plug-in DLL's headers, sections, resource directory and exports
// from the file before any of its code runs, and points its import of the key query at the
// simulated keyboard once it is loaded.
#include "host/PeFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "host/Host.h"
#include "host/Pipl.h"
#include "host/PluginFile.h"
#include "support/PluginBytes.h"
// Last: its macros (CreateDialog among them) would rename the host's functions.
#include "host/platform/Keyboard.h"
#include "host/windows/ImportPatch.h"

namespace tavrix::host {
namespace {

using test::Bytes;
using test::PluginPath;
using test::ReadFileBytes;
using test::WriteTempFile;

ByteView View(const Bytes& bytes) {
  return ByteView{bytes.data(), bytes.size()};
}

uint32_t Get32(const Bytes& b, size_t at) {
  uint32_t value = 0;
  View(b).Read32(at, value);
  return value;
}

void Put32(Bytes& b, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i)
    b[at + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
}

// Where the parts of the file are, found as the documented layout says.
struct Layout {
  size_t pe = 0;        // the "PE\0\0" signature
  size_t sections = 0;  // the section table
  uint16_t sectionCount = 0;

  explicit Layout(const Bytes& file) {
    pe = Get32(file, 0x3C);
    sectionCount = static_cast<uint16_t>(file[pe + 6] | (file[pe + 7] << 8));
    const size_t optionalSize = static_cast<size_t>(file[pe + 20] | (file[pe + 21] << 8));
    sections = pe + 24 + optionalSize;
  }
  size_t Section(const Bytes& file, const std::string& name) const {
    for (size_t i = 0; i < sectionCount; ++i) {
      const size_t at = sections + i * 40;
      if (std::string(reinterpret_cast<const char*>(&file[at]),
                      strnlen(reinterpret_cast<const char*>(&file[at]), 8)) == name)
        return at;
    }
    return std::string::npos;
  }
};

std::string LoadErrorOf(const std::string& path) {
  try {
    Host host;
    host.LoadPlugin(path);
  } catch (const PluginLoadError& error) {
    return error.what();
  }
  return "";
}

TEST(PeFile, ThePluginIsA64BitDllWithItsResourcesAndOneExport) {
  const Bytes file = ReadFileBytes(PluginPath());
  EXPECT_FALSE(CheckPeImage(View(file)));
  EXPECT_EQ(PeExportNames(View(file)), std::vector<std::string>{"PluginMain"});
  const ResourceTable resources(ReadPeResources(View(file)));
  const Resource* pipl = resources.Find(kPiplResourceType, kPiplResourceId);
  ASSERT_NE(pipl, nullptr);
  EXPECT_EQ(pipl->type.Describe(), "\"PIPL\"");
  EXPECT_EQ(pipl->language, kUsEnglish);
  EXPECT_EQ(pipl->data, test::DocumentedPipl());
  EXPECT_NE(resources.Find(kDialogResourceType, 18000), nullptr);
  EXPECT_NE(resources.Find(kMenuResourceType, 700), nullptr);
  EXPECT_EQ(resources.String(30023), "Tavrix 2.0");
}

TEST(PeFile, RefusesADllForAnotherProcessorAndAProgram) {
  Bytes file = ReadFileBytes(PluginPath());
  const Layout layout(file);
  Bytes other = file;
  other[layout.pe + 4] = 0x4C;  // i386
  other[layout.pe + 5] = 0x01;
  const std::string message = LoadErrorOf(WriteTempFile("x86.aip", other));
  EXPECT_NE(message.find("it is a 32-bit (x86) Windows DLL, and this host loads 64-bit (x86-64) "
                         "ones"),
            std::string::npos)
      << message;
  Bytes program = file;
  program[layout.pe + 23] &= 0xDF;  // the DLL flag, 0x2000
  EXPECT_NE(LoadErrorOf(WriteTempFile("program.aip", program)).find("a Windows program, not a DLL"),
            std::string::npos);
}

TEST(PeFile, RefusesSectionsAndSymbolsThatLiePastTheEndOfTheFile) {
  Bytes file = ReadFileBytes(PluginPath());
  const Layout layout(file);
  const size_t text = layout.Section(file, ".text");
  ASSERT_NE(text, std::string::npos);
  Put32(file, text + 16, static_cast<uint32_t>(file.size()));  // its raw size
  const std::string grown = LoadErrorOf(WriteTempFile("grown.aip", file));
  EXPECT_NE(grown.find("its section 0 (.text) lies past the end of the file"), std::string::npos)
      << grown;

  // Cut anywhere: the section table, a section, the symbols or their names are missing.
  const Bytes whole = ReadFileBytes(PluginPath());
  for (size_t cut : {whole.size() - 1, whole.size() - 1000, whole.size() / 2, size_t{1024}}) {
    const std::string message = LoadErrorOf(
        WriteTempFile("cut.aip", Bytes(whole.begin(), whole.begin() + static_cast<long>(cut))));
    EXPECT_NE(message.find("(the file is cut short)"), std::string::npos) << cut << ": " << message;
  }
}

// The file offset of the resource data entry that points at the PiPL's bytes.
size_t PiplDataEntry(const Bytes& file, size_t& rsrcAt) {
  const Layout layout(file);
  rsrcAt = layout.Section(file, ".rsrc");
  const uint32_t address = Get32(file, rsrcAt + 12);
  const uint32_t raw = Get32(file, rsrcAt + 20);
  const uint32_t pipl = static_cast<uint32_t>(test::Find(file, test::DocumentedPipl()));
  const uint32_t rva = pipl - raw + address;
  for (size_t at = raw; at + 8 <= file.size(); at += 4) {
    if (Get32(file, at) == rva && Get32(file, at + 4) == 78) return at;
  }
  return std::string::npos;
}

TEST(PeFile, RefusesAResourceDirectoryThatPointsOutsideItself) {
  const Bytes file = ReadFileBytes(PluginPath());
  size_t rsrc = 0;
  const size_t entry = PiplDataEntry(file, rsrc);
  ASSERT_NE(entry, std::string::npos);
  Bytes large = file;
  Put32(large, entry + 4, 0x7FFFFFFF);
  const std::string claims = LoadErrorOf(WriteTempFile("large.aip", large));
  EXPECT_NE(claims.find("its resources are malformed: resource \"PIPL\"/16000 claims 2147483647 "
                        "bytes beyond the end of its section"),
            std::string::npos)
      << claims;

  // The first type's table moved far past the directory.
  Bytes distant = file;
  const size_t root = Get32(file, rsrc + 20);
  Put32(distant, root + 20, 0x80000000u | 0x7FFFFFF0u);
  const std::string outside = LoadErrorOf(WriteTempFile("far.aip", distant));
  EXPECT_NE(outside.find("a resource table lies outside the resource directory"), std::string::npos)
      << outside;
}

TEST(PeFile, RandomlyCorruptedHeadersAndResourcesAreRefusedOrReadWithinTheFile) {
  const Bytes file = ReadFileBytes(PluginPath());
  size_t rsrc = 0;
  PiplDataEntry(file, rsrc);
  const size_t root = Get32(file, rsrc + 20);
  std::mt19937 random(20261208);
  std::uniform_int_distribution<int> byte(0, 255);
  Bytes corrupted = file;
  for (int round = 0; round < 1000; ++round) {
    // The headers and section table, or the first kilobyte of the resource directory; the
    // bytes are put back after each round.
    const size_t from = round % 2 == 0 ? 0 : root;
    std::uniform_int_distribution<size_t> place(from, from + 1023);
    for (int i = 0; i < 1 + round % 4; ++i)
      corrupted[place(random)] = static_cast<uint8_t>(byte(random));
    if (!CheckPeImage(View(corrupted))) {
      try {
        ReadPeResources(View(corrupted));
      } catch (const ResourceError&) {
      }
      PeExportNames(View(corrupted));
    }
    std::copy_n(file.begin() + static_cast<long>(from), 1024,
                corrupted.begin() + static_cast<long>(from));
  }
}

TEST(PeFile, RefusesWhatIsNotARegularFile) {
  const std::filesystem::path& folder = test::TempFolder();
  EXPECT_NE(LoadErrorOf(folder.string()).find("it is a directory"), std::string::npos);
  EXPECT_NE(LoadErrorOf("NUL").find("it is a device"), std::string::npos) << LoadErrorOf("NUL");
}

TEST(PeFile, ADllTheSystemCannotLoadIsRefusedInTheSystemsWords) {
  // Its import of user32 renamed to a library that is nowhere.
  Bytes file = ReadFileBytes(PluginPath());
  const size_t at = test::Find(file, test::Ascii("USER32.dll"));
  ASSERT_NE(at, std::string::npos);
  file[at + 4] = 'X';
  const std::string path = WriteTempFile("unresolved.aip", file);
  const std::string message = LoadErrorOf(path);
  EXPECT_EQ(message.rfind("Cannot load plug-in '", 0), 0u) << message;
  EXPECT_NE(message.find("unresolved.aip"), std::string::npos) << message;
  EXPECT_EQ(message.back(), '.');
}

TEST(ImportPatch, OnlyTheNamedImportOfTheNamedLibraryIsRedirected) {
  const HMODULE module = LoadLibraryW(std::filesystem::u8path(PluginPath()).wstring().c_str());
  ASSERT_NE(module, nullptr);
  void* const simulated = reinterpret_cast<void*>(&SimulatedGetAsyncKeyState);
  EXPECT_EQ(RedirectImport(module, "user32.dll", "NoSuchFunction", simulated), 0);
  EXPECT_EQ(RedirectImport(module, "kernel32.dll", "GetAsyncKeyState", simulated), 0);
  EXPECT_EQ(RedirectImport(module, "USER32.DLL", "GetAsyncKeyState", simulated), 1);
  FreeLibrary(module);
}

}  // namespace
}  // namespace tavrix::host
