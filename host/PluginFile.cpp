#include "host/PluginFile.h"

#include <memory>
#include <vector>

#include "host/ElfSection.h"
#include "host/MappedFile.h"
#include "host/Pipl.h"
#include "host/dialog/DialogTemplate.h"

namespace tavrix::host {
namespace {

[[noreturn]] void Refuse(const std::string& path, const std::string& problem) {
  throw PluginLoadError("Cannot load plug-in '" + path + "': " + problem + ".");
}

// Every dialog and menu must parse now, before any code runs: a damaged one would otherwise
// give a garbled palette later.
void CheckTemplates(const std::string& path, const ResourceTable& resources) {
  for (const Resource& resource : resources.resources()) {
    const ByteView bytes{resource.data.data(), resource.data.size()};
    try {
      if (resource.type.Is(kDialogResourceType)) ParseDialogTemplate(bytes);
      if (resource.type.Is(kMenuResourceType)) ParseMenuTemplate(bytes);
    } catch (const ResourceError& error) {
      Refuse(path, "its " +
                       std::string(resource.type.Is(kDialogResourceType) ? "dialog " : "menu ") +
                       resource.name.Describe() + " is malformed: " + error.what());
    }
  }
}

}  // namespace

PluginFile PluginFile::Read(const std::string& path) {
  std::unique_ptr<MappedFile> mapped;
  try {
    mapped = std::make_unique<MappedFile>(path);
  } catch (const std::runtime_error& error) {
    Refuse(path, error.what());
  }
  const SectionLookup section = FindElfSection(mapped->bytes(), kResourceSectionName);
  if (!section.found) Refuse(path, section.problem);
  // The loader would map code the file does not hold, and fault inside it.
  const std::string segments = CheckLoadableSegments(mapped->bytes());
  if (!segments.empty()) Refuse(path, segments);

  PluginFile file;
  file.path_ = path;
  try {
    file.resources_ = ResourceTable::Parse(section.bytes);
  } catch (const ResourceError& error) {
    Refuse(path, std::string("its resources are malformed: ") + error.what());
  }
  CheckTemplates(path, file.resources_);
  const Resource* pipl = file.resources_.Find(kPiplResourceType, kPiplResourceId);
  if (pipl == nullptr) Refuse(path, "it has no PiPL resource 16000");
  try {
    file.entryPoint_ =
        CheckPipl(ParsePipl(ByteView{pipl->data.data(), pipl->data.size()})).entryPoint;
  } catch (const PiplError& error) {
    Refuse(path, error.what());
  }
  // Asked of the file, not of the loader: loading would already run the library's initialisers.
  if (!ExportsSymbol(mapped->bytes(), file.entryPoint_))
    Refuse(path, "it does not export '" + file.entryPoint_ + "', the entry point its PiPL names");
  return file;
}

}  // namespace tavrix::host
