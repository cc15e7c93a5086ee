#include "workbench/CanvasController.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace tavrix::workbench {

std::string NumberText(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", value);
  return text;
}

bool CanvasController::MouseDown(int x, int y, Button button) {
  if (!Inside(kCanvas, x, y)) return false;
  host::Document* document = Document();
  if (document == nullptr) {
    commands_.Tell("there is no document: File > New makes one, File > Open reads one");
    return true;
  }
  lastX_ = x;
  lastY_ = y;
  if (button != Button::Left) {
    press_ = Press{x, y, true, false, false};
    return true;
  }
  const int vx = x - kCanvas.left;
  const int vy = y - kCanvas.top;
  const ArtworkHit hit = HitArtwork(*document, session_.host().view(), vx + 0.5, vy + 0.5);
  const std::string path = std::to_string(hit.path);
  const std::string anchor = std::to_string(hit.anchor);
  switch (hit.kind) {
    case ArtworkHit::Kind::Anchor:
      commands_.Perform({"select", path, anchor});
      break;
    case ArtworkHit::Kind::Handle:
      commands_.Perform({"select-handle", path, anchor, hit.outHandle ? "out" : "in"});
      break;
    case ArtworkHit::Kind::Path:
      commands_.Perform({"select-paths", path});
      break;
    case ArtworkHit::Kind::None:
      break;
  }
  const bool onNothing = hit.kind == ArtworkHit::Kind::None;
  press_ = Press{x, y, onNothing, onNothing, false};
  return true;
}

void CanvasController::MouseMove(int x, int y) {
  pointer_.reset();
  if (Inside(kCanvas, x, y) && Document() != nullptr)
    pointer_ = ViewToArtwork(session_.host().view(), x - kCanvas.left, y - kCanvas.top);
  if (!press_ || !press_->scrolls) return;
  if (!press_->dragged && std::abs(x - press_->x) < kDragThreshold &&
      std::abs(y - press_->y) < kDragThreshold)
    return;
  press_->dragged = true;
  if (Document() != nullptr) Place(DraggedBy(session_.host().view(), x - lastX_, y - lastY_));
  lastX_ = x;
  lastY_ = y;
}

void CanvasController::MouseUp(int, int) {
  if (!press_) return;
  const Press press = *press_;
  press_.reset();
  if (press.onNothing && !press.dragged && Document() != nullptr) commands_.Perform({"deselect"});
}

void CanvasController::Wheel(int x, int y, double notches) {
  if (!Inside(kCanvas, x, y) || Document() == nullptr || notches == 0) return;
  Place(ZoomedAbout(session_.host().view(), std::pow(kWheelFactor, notches), x - kCanvas.left,
                    y - kCanvas.top));
}

void CanvasController::ZoomBy(double factor) {
  if (Document() == nullptr) return;
  Place(ZoomedAbout(session_.host().view(), factor, kCanvas.width / 2, kCanvas.height / 2));
}

void CanvasController::FitArtwork() {
  host::Document* document = Document();
  if (document == nullptr) return;
  if (const std::optional<ViewPlace> place = workbench::FitArtwork(*document)) {
    Place(*place);
  } else {
    commands_.Tell("the document has no paths to fit in the window");
  }
}

void CanvasController::ActualSize() {
  ZoomBy(1 / session_.host().view().zoom());
}

void CanvasController::Place(const ViewPlace& place) {
  const host::DocumentView& view = session_.host().view();
  if (place.zoom != view.zoom() && !commands_.Perform({"zoom", NumberText(place.zoom)})) return;
  commands_.Perform({"scroll", NumberText(place.left), NumberText(place.top)});
}

}  // namespace tavrix::workbench
