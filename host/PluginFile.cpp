#include "host/PluginFile.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "host/ElfSection.h"
#include "host/MappedFile.h"
#include "host/PeFile.h"
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

#ifdef _WIN32

// A DLL's resources are in its resource directory, where the system's resource calls find them.
ResourceTable ReadResources(const std::string& path, ByteView bytes) {
  // The loader would map code the file does not hold, and fault inside it.
  if (const Fault image = CheckPeImage(bytes)) Refuse(path, image.reason());
  std::vector<Resource> resources;
  try {
    resources = ReadPeResources(bytes);
  } catch (const ResourceError& error) {
    Refuse(path, std::string("its resources are malformed: ") + error.what());
  }
  if (resources.empty()) Refuse(path, "it has no resource directory (no resources)");
  return ResourceTable(std::move(resources));
}

bool Exports(ByteView bytes, const std::string& name) {
  const std::vector<std::string> names = PeExportNames(bytes);
  return std::find(names.begin(), names.end(), name) != names.end();
}

#else

// A shared library carries the compiled resources in a section of its own.
ResourceTable ReadResources(const std::string& path, ByteView bytes) {
  const SectionLookup section = FindElfSection(bytes, kResourceSectionName);
  if (!section.found) Refuse(path, section.problem);
  // The loader would map code the file does not hold, and fault inside it.
  const std::string segments = CheckLoadableSegments(bytes);
  if (!segments.empty()) Refuse(path, segments);
  try {
    return ResourceTable::Parse(section.bytes);
  } catch (const ResourceError& error) {
    Refuse(path, std::string("its resources are malformed: ") + error.what());
  }
}

bool Exports(ByteView bytes, const std::string& name) {
  return ExportsSymbol(bytes, name);
}

#endif

}  // namespace

PluginFile PluginFile::Read(const std::string& path) {
  std::unique_ptr<MappedFile> mapped;
  try {
    mapped = std::make_unique<MappedFile>(path);
  } catch (const std::runtime_error& error) {
    Refuse(path, error.what());
  }
  PluginFile file;
  file.path_ = path;
  file.resources_ = ReadResources(path, mapped->bytes());
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
  if (!Exports(mapped->bytes(), file.entryPoint_))
    Refuse(path, "it does not export '" + file.entryPoint_ + "', the entry point its PiPL names");
  return file;
}

}  // namespace tavrix::host
