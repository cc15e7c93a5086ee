#include "host/PluginFile.h"

#include <fstream>
#include <vector>

#include "host/ElfSection.h"
#include "host/Pipl.h"

namespace tavrix::host {
namespace {

[[noreturn]] void Refuse(const std::string& path, const std::string& problem) {
  throw PluginLoadError("Cannot load plug-in '" + path + "': " + problem + ".");
}

}  // namespace

PluginFile PluginFile::Read(const std::string& path) {
  std::ifstream stream(path, std::ios::binary | std::ios::ate);
  if (!stream) Refuse(path, "the file cannot be opened");
  const std::streamoff size = stream.tellg();
  if (size < 0) Refuse(path, "the file cannot be read");
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  stream.seekg(0);
  if (!stream.read(reinterpret_cast<char*>(bytes.data()), size)) {
    Refuse(path, "the file cannot be read");
  }
  const SectionLookup section =
      FindElfSection(ByteView{bytes.data(), bytes.size()}, kResourceSectionName);
  if (!section.found) Refuse(path, section.problem);

  PluginFile file;
  file.path_ = path;
  try {
    file.resources_ = ResourceTable::Parse(section.bytes);
  } catch (const ResourceError& error) {
    Refuse(path, std::string("its resources are malformed: ") + error.what());
  }
  const Resource* pipl = file.resources_.Find(kPiplResourceType, kPiplResourceId);
  if (pipl == nullptr) Refuse(path, "it has no PiPL resource 16000");
  try {
    file.entryPoint_ =
        CheckPipl(ParsePipl(ByteView{pipl->data.data(), pipl->data.size()})).entryPoint;
  } catch (const PiplError& error) {
    Refuse(path, error.what());
  }
  return file;
}

}  // namespace tavrix::host
