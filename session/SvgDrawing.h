// The SVG file a session's document came from, and which of the document's paths are the
// file's paths, so that saving writes each back in its own element.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "host/Host.h"
#include "host/svg/SvgDocument.h"

namespace tavrix::app {

class SvgDrawing {
 public:
  // Reads the file and makes the host's new document of its paths, in document order, in
  // points. Throws svg::SvgError naming the file and the place.
  static SvgDrawing Open(const std::string& fileName, host::Host& host);
  // For a document that came from no file: every path is new when it is saved.
  static SvgDrawing Blank();

  // Writes the document's paths into the file (see svg::SvgDocument::Save); the drawing is then
  // that file's. Throws svg::SvgError.
  void Save(const std::string& fileName, const host::Document& document);
  // The text Save would write now. Throws svg::SvgError.
  std::string Text(const host::Document& document) const;
  // The text Text would give with only one layer of the drawing around the document's path
  // `path`; nothing when it cannot be split there exactly (see svg::SvgDocument::LayerText).
  std::optional<std::string> LayerText(const host::Document& document, size_t path,
                                       svg::Layer layer) const;
  // How each of the document's paths paints, in the document's order: as its element does, a
  // path made in the session as the root gives it.
  std::vector<svg::SvgPaint> Paints(const host::Document& document) const;

  // The document was made again (a restart): the same paths in the same order, new handles.
  void Rehandle(const std::vector<AIArtHandle>& before, const std::vector<AIArtHandle>& after);

  const std::string& fileName() const { return fileName_; }
  size_t pathsRead() const { return svg_.paths().size(); }
  size_t elementsRead() const { return svg_.elements().size(); }

 private:
  SvgDrawing(svg::SvgDocument svg, std::string fileName)
      : svg_(std::move(svg)), fileName_(std::move(fileName)) {}

  std::vector<svg::EditedPath> Current(const host::Document& document) const;

  svg::SvgDocument svg_;
  std::string fileName_;                        // empty: never saved
  std::map<AIArtHandle, size_t> pathOfHandle_;  // into svg_.paths()
};

}  // namespace tavrix::app
