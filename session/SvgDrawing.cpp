#include "session/SvgDrawing.h"

namespace tavrix::app {

SvgDrawing SvgDrawing::Open(const std::string& fileName, host::Host& host) {
  // Read all of it before the document is touched: a file refused leaves the old one.
  SvgDrawing drawing(svg::SvgDocument::Open(fileName, host::kMaxAnchorsPerPath), fileName);
  host::Document& document = host.NewDocument(kAIPointRulerUnits);
  const std::vector<svg::SvgPath>& paths = drawing.svg_.paths();
  for (size_t i = 0; i < paths.size(); ++i)
    drawing.pathOfHandle_[document.AddPath(paths[i].segments, paths[i].closed)] = i;
  return drawing;
}

SvgDrawing SvgDrawing::Blank() {
  // The paths a session makes have no style of their own: the root gives them the look the
  // outlines had, a one-point (at 100 %, one-pixel) black stroke and no fill.
  static const char kEmpty[] =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" fill=\"none\" "
      "stroke=\"#000\" stroke-width=\"1\">\n"
      "</svg>\n";
  return SvgDrawing(svg::SvgDocument::Parse(kEmpty, "(new drawing)"), "");
}

void SvgDrawing::Save(const std::string& fileName, const host::Document& document) {
  svg_.Save(fileName, Current(document));
  fileName_ = fileName;
}

std::string SvgDrawing::Text(const host::Document& document) const {
  return svg_.SavedText(Current(document));
}

std::optional<std::string> SvgDrawing::LayerText(const host::Document& document, size_t path,
                                                 svg::Layer layer) const {
  if (path >= document.paths().size()) return std::nullopt;
  const auto found = pathOfHandle_.find(document.paths()[path].handle);
  if (found == pathOfHandle_.end()) return std::nullopt;
  return svg_.LayerText(Current(document), found->second, layer);
}

std::vector<svg::SvgPaint> SvgDrawing::Paints(const host::Document& document) const {
  std::vector<svg::SvgPaint> paints;
  paints.reserve(document.paths().size());
  for (const host::DocumentPath& path : document.paths()) {
    const auto found = pathOfHandle_.find(path.handle);
    if (found == pathOfHandle_.end()) {
      paints.push_back(svg_.rootPaint());
      continue;
    }
    const size_t element = svg_.paths()[found->second].element;
    paints.push_back(svg_.elements()[element].paint);
    paints.back().element = element;
  }
  return paints;
}

std::vector<svg::EditedPath> SvgDrawing::Current(const host::Document& document) const {
  std::vector<svg::EditedPath> current;
  current.reserve(document.paths().size());
  for (const host::DocumentPath& path : document.paths()) {
    svg::EditedPath edited;
    const auto found = pathOfHandle_.find(path.handle);
    if (found != pathOfHandle_.end()) edited.original = found->second;
    edited.segments = path.segments;
    edited.closed = path.closed;
    current.push_back(std::move(edited));
  }
  return current;
}

void SvgDrawing::Rehandle(const std::vector<AIArtHandle>& before,
                          const std::vector<AIArtHandle>& after) {
  std::map<AIArtHandle, size_t> renamed;
  for (size_t i = 0; i < before.size() && i < after.size(); ++i) {
    const auto found = pathOfHandle_.find(before[i]);
    if (found != pathOfHandle_.end()) renamed[after[i]] = found->second;
  }
  pathOfHandle_ = std::move(renamed);
}

}  // namespace tavrix::app
