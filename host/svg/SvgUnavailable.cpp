// SVG files in a build without the XML library (the Windows build): every attempt to open or
// save one fails with the reason, as a file that cannot be read does.
#include "host/svg/SvgDocument.h"

namespace tavrix::svg {
namespace {

[[noreturn]] void Unavailable(const std::string& fileName) {
  throw SvgError(fileName +
                 ": SVG files cannot be opened or saved by this build of the host "
                 "(it was built without an XML library)");
}

}  // namespace

SvgDocument SvgDocument::Open(const std::string& fileName, size_t) {
  Unavailable(fileName);
}

SvgDocument SvgDocument::Parse(std::string, const std::string& fileName, size_t) {
  Unavailable(fileName);
}

std::string SvgDocument::SavedText(const std::vector<EditedPath>&) const {
  Unavailable("(drawing)");
}

std::optional<std::string> SvgDocument::LayerText(const std::vector<EditedPath>&, size_t,
                                                  Layer) const {
  return std::nullopt;
}

void SvgDocument::Save(const std::string& fileName, const std::vector<EditedPath>&) const {
  Unavailable(fileName);
}

}  // namespace tavrix::svg
