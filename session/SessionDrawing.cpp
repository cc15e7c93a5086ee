// Opening and saving SVG drawings in a session.
#include "session/ScriptWords.h"
#include "session/Session.h"
#include "session/SvgDrawing.h"

namespace tavrix::app {

void Session::OpenDrawing(const std::vector<std::string>& words) {
  if (words.size() != 1) throw Usage("open");
  try {
    drawing_ = std::make_unique<SvgDrawing>(SvgDrawing::Open(words[0], *host_));
  } catch (const svg::SvgError& error) {
    throw ScriptError(error.what());
  }
  saved_.Remember(host_->document());
  out_ << "Opened " << words[0] << ": " << drawing_->pathsRead() << " paths from "
       << drawing_->elementsRead() << " elements\n";
}

void Session::SaveDrawing(const std::vector<std::string>& words) {
  if (words.size() > 1) throw Usage("save");
  if (!drawing_) drawing_ = std::make_unique<SvgDrawing>(SvgDrawing::Blank());
  const std::string fileName = words.empty() ? drawing_->fileName() : words[0];
  if (fileName.empty()) throw ScriptError("this drawing has no file yet: save FILE.svg");
  try {
    drawing_->Save(fileName, Doc());
  } catch (const svg::SvgError& error) {
    saveFailed_ = true;
    throw ScriptError(error.what());
  }
  saved_.Remember(host_->document());
  out_ << "Saved " << fileName << ": " << Doc().paths().size() << " paths\n";
}

std::string Session::DrawingText() {
  const host::Document& document = Doc();
  try {
    return drawing_ ? drawing_->Text(document) : SvgDrawing::Blank().Text(document);
  } catch (const svg::SvgError& error) {
    throw ScriptError(error.what());
  }
}

std::optional<Session::DrawingLayers> Session::DrawingLayersAround(size_t path) {
  const host::Document& document = Doc();
  // A drawing made in the session has no file's elements to split.
  if (!drawing_) return std::nullopt;
  try {
    DrawingLayers layers;
    for (const auto& [layer, text] : {std::pair{svg::Layer::Under, &layers.under},
                                      std::pair{svg::Layer::Element, &layers.element},
                                      std::pair{svg::Layer::Over, &layers.over}}) {
      std::optional<std::string> written = drawing_->LayerText(document, path, layer);
      if (!written) return std::nullopt;
      *text = std::move(*written);
    }
    return layers;
  } catch (const svg::SvgError& error) {
    throw ScriptError(error.what());
  }
}

std::vector<svg::SvgPaint> Session::PathPaints() {
  if (host_->document() == nullptr) return {};
  return drawing_ ? drawing_->Paints(Doc()) : SvgDrawing::Blank().Paints(Doc());
}

void Session::SaveCopy(const std::string& fileName) {
  // A copy of a drawing made in the session starts from an empty file of its own.
  SvgDrawing copy = drawing_ ? *drawing_ : SvgDrawing::Blank();
  try {
    copy.Save(fileName, Doc());
  } catch (const svg::SvgError& error) {
    throw ScriptError(error.what());
  }
}

}  // namespace tavrix::app
