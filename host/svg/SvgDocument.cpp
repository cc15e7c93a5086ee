#include "host/svg/SvgDocument.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string_view>
#include <utility>

#include "host/svg/AtomicFile.h"
#include "host/svg/ElementGeometry.h"
#include "host/svg/SourceText.h"
#include "host/svg/SvgWriter.h"

namespace tavrix::svg {
namespace {

bool Finite(const std::vector<PathSegment>& segments) {
  for (const PathSegment& s : segments) {
    for (float value : {s.p.h, s.p.v, s.in.h, s.in.v, s.out.h, s.out.v}) {
      if (!std::isfinite(value)) return false;
    }
  }
  return true;
}

// The parser would take UTF-16 and UTF-32 and convert them, and then its offsets would no longer
// be those of the file, which saving splices into.
void RefuseWideEncodings(const std::string& text, const std::string& fileName) {
  const bool wide = text.size() >= 2 && (text[0] == '\0' || text[1] == '\0' ||
                                         (text[0] == '\xFF' && text[1] == '\xFE') ||
                                         (text[0] == '\xFE' && text[1] == '\xFF'));
  if (wide) throw SvgError(fileName + ": not read: only UTF-8 files are read, and this one is not");
}

bool IsXmlSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

std::string Lowered(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lowered;
}

// The encoding named by the XML declaration at the start of the file; empty without one.
std::string_view DeclaredEncoding(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  while (!text.empty() && IsXmlSpace(text.front())) text.remove_prefix(1);
  if (text.substr(0, 5) != "<?xml" || text.size() < 6 || !IsXmlSpace(text[5])) return {};
  // Not closed before the first tag ends, it is broken, and the parser says so.
  const size_t close = text.find("?>");
  if (close == std::string_view::npos || text.find('>') <= close) return {};
  const std::string_view declaration = text.substr(0, close);
  size_t at = declaration.find("encoding");
  if (at == std::string_view::npos) return {};
  at += 8;
  while (at < declaration.size() && IsXmlSpace(declaration[at])) ++at;
  if (at >= declaration.size() || declaration[at] != '=') return {};
  ++at;
  while (at < declaration.size() && IsXmlSpace(declaration[at])) ++at;
  if (at >= declaration.size() || (declaration[at] != '"' && declaration[at] != '\'')) return {};
  const size_t end = declaration.find(declaration[at], at + 1);
  if (end == std::string_view::npos) return {};
  return declaration.substr(at + 1, end - at - 1);
}

// The parser would read a file declared in another encoding as UTF-8 all the same, turning its
// letters into others (or refusing them part way), and a save would write them back so.
// US-ASCII is a part of UTF-8.
void RefuseDeclaredEncodings(const std::string& text, const std::string& fileName) {
  const std::string_view encoding = DeclaredEncoding(text);
  const std::string name = Lowered(encoding);
  if (encoding.empty() || name == "utf-8" || name == "utf8" || name == "us-ascii" ||
      name == "ascii") {
    return;
  }
  std::string shown;
  for (char c : encoding.substr(0, 40)) shown += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
  if (encoding.size() > 40) shown += "...";
  throw SvgError(fileName + ": not read: it is declared to be in the encoding '" + shown +
                 "', and only UTF-8 files are read");
}

}  // namespace

SvgDocument SvgDocument::Open(const std::string& fileName, size_t maxAnchorsPerPath) {
  return Parse(ReadWholeFile(fileName), fileName, maxAnchorsPerPath);
}

SvgDocument SvgDocument::Parse(std::string text, const std::string& fileName,
                               size_t maxAnchorsPerPath) {
  RefuseWideEncodings(text, fileName);
  RefuseDeclaredEncodings(text, fileName);
  auto model = std::make_shared<SvgModel>();
  model->fileName = fileName;
  model->text = std::move(text);
  model->maxAnchors = maxAnchorsPerPath;
  const pugi::xml_parse_result parsed = model->xml.load_buffer(
      model->text.data(), model->text.size(), pugi::parse_default, pugi::encoding_utf8);
  if (!parsed) {
    const LineColumn place =
        PlaceOf(model->text, static_cast<size_t>(std::max<ptrdiff_t>(0, parsed.offset)));
    throw SvgError(fileName + ":" + std::to_string(place.line) + ":" +
                   std::to_string(place.column) + ": not an SVG file: the XML is broken (" +
                   parsed.description() + ")");
  }
  model->root = model->xml.document_element();
  const std::string_view rootName = model->root.name();
  const size_t colon = rootName.find(':');
  if ((colon == std::string_view::npos ? rootName : rootName.substr(colon + 1)) != "svg") {
    throw SvgError(fileName + ": not an SVG file: its root element is <" + std::string(rootName) +
                   ">, not <svg>");
  }
  try {
    model->rootTransform = ParseTransform(model->root.attribute("transform").value());
  } catch (const SvgError& error) {
    throw SvgError(ElementPlace(*model, model->root) + error.what());
  }
  model->viewport = RootViewport(model->root);

  SvgDocument document;
  PlaceFinder places(model->text);
  std::vector<DrawnElement> found = FindDrawnElements(*model);
  model->drawn.reserve(found.size());
  document.elements_.reserve(found.size());
  for (DrawnElement& element : found) {
    element.firstPath = document.paths_.size();
    const size_t elementIndex = document.elements_.size();
    std::string numbers;
    ReadDrawnElement(
        *model, element,
        [&](LocalSubpath&& subpath) {
          SvgPath path{ToArtworkSegments(element.toRoot, subpath), subpath.closed, elementIndex,
                       document.paths_.size() - element.firstPath};
          if (!Finite(path.segments)) {
            throw SvgError("subpath " + std::to_string(path.subpath + 1) +
                           " reaches beyond the coordinates the artwork can hold");
          }
          document.paths_.push_back(std::move(path));
        },
        numbers);
    element.pathCount = document.paths_.size() - element.firstPath;
    if (element.pathCount == 0) continue;
    const LineColumn place = places.At(BeginOf(element.node));
    document.elements_.push_back(SvgElement{element.node.name(),
                                            element.node.attribute("id").value(), place.line,
                                            place.column, PaintOf(element.node)});
    model->drawn.push_back(std::move(element));
  }
  document.rootPaint_ = PaintOf(model->root);
  document.model_ = std::move(model);
  return document;
}

std::string SvgDocument::SavedText(const std::vector<EditedPath>& current) const {
  return WriteSvgText(*model_, paths_, current);
}

std::optional<std::string> SvgDocument::LayerText(const std::vector<EditedPath>& current,
                                                  size_t path, Layer layer) const {
  if (path >= paths_.size()) return std::nullopt;
  const std::optional<LayerCut> cut = CutForLayer(*model_, paths_[path].element, layer);
  if (!cut) return std::nullopt;
  return WriteSvgText(*model_, paths_, current, cut);
}

void SvgDocument::Save(const std::string& fileName, const std::vector<EditedPath>& current) const {
  std::string text;
  try {
    text = SavedText(current);
  } catch (const SvgError& error) {
    throw SvgError(fileName + ": not saved: " + error.what());
  }
  ReplaceFile(fileName, text);
}

}  // namespace tavrix::svg
