#include "workbench/CanvasController.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace tavrix::workbench {

std::string NumberText(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", value);
  return text;
}

bool CanvasController::MouseDown(int x, int y, Button button) {
  if (!Inside(Canvas(), x, y)) return false;
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
  const int vx = x - Canvas().left;
  const int vy = y - Canvas().top;
  const std::vector<svg::SvgPaint> paints = session_.PathPaints();
  const ArtworkHit hit = HitArtwork(*document, session_.host().view(), vx + 0.5, vy + 0.5, paints);
  const std::string path = std::to_string(hit.path);
  const std::string anchor = std::to_string(hit.anchor);
  switch (hit.kind) {
    case ArtworkHit::Kind::Anchor:
      if (commands_.Perform({"select", path, anchor})) ArmDrag(hit);
      break;
    case ArtworkHit::Kind::Handle:
      if (commands_.Perform({"select-handle", path, anchor, hit.outHandle ? "out" : "in"}))
        ArmDrag(hit);
      break;
    case ArtworkHit::Kind::Path: {
      std::vector<std::string> words{"select-paths"};
      for (const size_t p : PathsOfShape(paints, hit.path)) words.push_back(std::to_string(p));
      commands_.Perform(words);
      break;
    }
    case ArtworkHit::Kind::None:
      break;
  }
  const bool onNothing = hit.kind == ArtworkHit::Kind::None;
  press_ = Press{x, y, onNothing, onNothing, false};
  return true;
}

void CanvasController::MouseMove(int x, int y, Modifiers modifiers) {
  pointer_.reset();
  if (Inside(Canvas(), x, y) && Document() != nullptr)
    pointer_ = ViewToArtwork(session_.host().view(), x - Canvas().left, y - Canvas().top);
  if (!press_) return;
  if (!press_->dragged && std::abs(x - press_->x) < kDragThreshold &&
      std::abs(y - press_->y) < kDragThreshold)
    return;
  if (drag_) {
    DragTo(x, y, modifiers);
    return;
  }
  if (!press_->scrolls) return;
  press_->dragged = true;
  if (Document() != nullptr) Place(DraggedBy(session_.host().view(), x - lastX_, y - lastY_));
  lastX_ = x;
  lastY_ = y;
}

void CanvasController::MouseUp(int, int) {
  if (!press_) return;
  const Press press = *press_;
  press_.reset();
  if (drag_) FinishDrag();
  if (press.onNothing && !press.dragged && Document() != nullptr) commands_.Perform({"deselect"});
}

void CanvasController::Wheel(int x, int y, double notches) {
  if (!Inside(Canvas(), x, y) || Document() == nullptr || notches == 0) return;
  Place(ZoomedAbout(session_.host().view(), std::pow(kWheelFactor, notches), x - Canvas().left,
                    y - Canvas().top));
}

void CanvasController::ZoomBy(double factor) {
  if (Document() == nullptr) return;
  Place(ZoomedAbout(session_.host().view(), factor, Canvas().width / 2, Canvas().height / 2));
}

void CanvasController::FitArtwork() {
  host::Document* document = Document();
  if (document == nullptr) return;
  if (const std::optional<ViewPlace> place =
          workbench::FitArtwork(*document, session_.host().view())) {
    Place(*place);
  } else {
    commands_.Tell("the document has no paths to fit in the window");
  }
}

void CanvasController::ActualSize() {
  ZoomBy(1 / session_.host().view().zoom());
}

void CanvasController::ArmDrag(const ArtworkHit& hit) {
  host::DragTarget target{hit.path, hit.anchor, host::DragPart::Anchor};
  if (hit.kind == ArtworkHit::Kind::Handle)
    target.part = hit.outHandle ? host::DragPart::OutHandle : host::DragPart::InHandle;
  try {
    drag_.emplace(session_.host(), target);
  } catch (const std::exception&) {
    drag_.reset();  // gone with the selection's notification: nothing to drag
  }
  dragEnd_.reset();
}

void CanvasController::DragTo(int x, int y, Modifiers modifiers) {
  press_->dragged = true;
  // The part moves as far as the mouse did, wherever on the anchor's mark the press was.
  const double zoom = session_.host().view().zoom();
  const RealPoint start = drag_->start();
  RealPoint to{static_cast<float>(start.h + (x - press_->x) / zoom),
               static_cast<float>(start.v - (y - press_->y) / zoom)};
  if (modifiers.shift) to = host::ConstrainedDrag(start, to);
  drag_->MoveTo(to);
  dragEnd_ = to;
}

void CanvasController::FinishDrag() {
  const host::DragTarget target = drag_->target();
  drag_->Restore();
  drag_.reset();
  if (!dragEnd_) return;
  const RealPoint to = *dragEnd_;
  dragEnd_.reset();
  // The drag's one step, as the script line that makes the same.
  std::vector<std::string> words{"drag", "anchor", std::to_string(target.path),
                                 std::to_string(target.anchor)};
  if (target.part != host::DragPart::Anchor) {
    words[1] = "handle";
    words.push_back(target.part == host::DragPart::OutHandle ? "out" : "in");
  }
  words.push_back(NumberText(to.h));
  words.push_back(NumberText(to.v));
  commands_.Perform(words);
}

bool CanvasController::CancelDrag() {
  if (!drag_) return false;
  drag_->Restore();
  drag_.reset();
  dragEnd_.reset();
  press_.reset();
  return true;
}

void CanvasController::Place(const ViewPlace& place) {
  const host::DocumentView& view = session_.host().view();
  if (place.zoom != view.zoom() && !commands_.Perform({"zoom", NumberText(place.zoom)})) return;
  commands_.Perform({"scroll", NumberText(place.left), NumberText(place.top)});
}

}  // namespace tavrix::workbench
