#include "host/svg/AtomicFile.h"

#include <sys/stat.h>

#include <pugixml.hpp>

#include <cstring>
#include <limits>

#include "host/artwork/FileSteps.h"
#include "host/svg/SvgError.h"

namespace tavrix::svg {
namespace {

// Whether the text is an SVG drawing: XML whose root is <svg>, with or without a prefix.
bool IsDrawing(const std::string& text) {
  pugi::xml_document document;
  if (!document.load_buffer(text.data(), text.size(), pugi::parse_default)) return false;
  const char* name = document.document_element().name();
  const char* colon = std::strrchr(name, ':');
  return std::strcmp(colon == nullptr ? name : colon + 1, "svg") == 0;
}

// A file already at the name that is not a drawing (notes, a plug-in, a picture) is somebody's
// other work: it is never written over. An empty file holds nothing to lose.
void RefuseOtherKinds(const std::string& fileName, const std::string& target) {
  struct stat info {};
  // Nothing there yet; or a folder, a pipe, a device, which the replacement refuses by kind.
  if (stat(target.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size == 0) return;
  host::InputFile file(target);
  std::string text;
  if (file.state() != host::InputFile::State::Open ||
      !file.ReadUpTo(text, std::numeric_limits<size_t>::max())) {
    throw SvgError(fileName + ": not saved: it cannot be read to check that it is a drawing: " +
                   file.problem());
  }
  if (!IsDrawing(text)) {
    throw SvgError(fileName +
                   ": not saved: it is not an SVG drawing, and it is not written over "
                   "(save under another name)");
  }
}

}  // namespace

std::string ReadWholeFile(const std::string& fileName) {
  host::InputFile file(fileName);
  std::string text;
  if (file.state() != host::InputFile::State::Open ||
      !file.ReadUpTo(text, std::numeric_limits<size_t>::max())) {
    throw SvgError(fileName + ": cannot be read: " + file.problem());
  }
  return text;
}

void ReplaceFile(const std::string& fileName, const std::string& text) {
  // A symbolic link is replaced at its target, so that the link stays.
  const std::string target = host::ReplacementTarget(fileName);
  RefuseOtherKinds(fileName, target);
  if (const auto fault = host::ReplaceWithText(target, text, /*keepAside=*/false))
    throw SvgError(fileName + ": not saved: " + fault.reason());
}

}  // namespace tavrix::svg
