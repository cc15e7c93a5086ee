#include "host/DirectSelection.h"

#include <cmath>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/Host.h"

namespace tavrix::host {
namespace {

bool Finite(const RealPoint& p) {
  return std::isfinite(p.h) && std::isfinite(p.v);
}

RealPoint Plus(const RealPoint& p, double dh, double dv) {
  return RealPoint{static_cast<float>(p.h + dh), static_cast<float>(p.v + dv)};
}

Document& RequireDocument(Host& host) {
  Document* document = host.document();
  if (document == nullptr) throw std::logic_error("there is no document");
  return *document;
}

DocumentPath& RequireAnchor(Document& document, size_t path, size_t anchor) {
  DocumentPath& p = document.PathAt(path);
  if (anchor >= p.segments.size()) {
    throw std::out_of_range("path " + std::to_string(path) + " has no anchor " +
                            std::to_string(anchor) + " (it has " +
                            std::to_string(p.segments.size()) + ")");
  }
  return p;
}

// The opposite handle of a smooth anchor turned to point away from the dragged one, its length
// kept; a handle lying on its anchor, or a dragged one that does, gives no direction.
RealPoint Opposite(const RealPoint& anchor, const RealPoint& dragged, const RealPoint& other) {
  const double dh = dragged.h - anchor.h;
  const double dv = dragged.v - anchor.v;
  const double length = std::hypot(dh, dv);
  const double otherLength = std::hypot(other.h - anchor.h, other.v - anchor.v);
  if (!(length > 0) || !(otherLength > 0)) return other;
  return Plus(anchor, -dh / length * otherLength, -dv / length * otherLength);
}

// One anchor's segment moved by the nudge, as its selection state says.
PathSegment Nudged(const PathSegment& s, int16_t state, double dh, double dv) {
  PathSegment moved = s;
  if (state == kAIAnchorSelected) {
    moved.p = Plus(s.p, dh, dv);
    moved.in = Plus(s.in, dh, dv);
    moved.out = Plus(s.out, dh, dv);
  } else if (state == kAIInHandleSelected) {
    moved = Dragged(s, DragPart::InHandle, Plus(s.in, dh, dv));
  } else if (state == kAIOutHandleSelected) {
    moved = Dragged(s, DragPart::OutHandle, Plus(s.out, dh, dv));
  }
  return moved;
}

void CloseMoveStep(Document& document) {
  document.NameChange(kMoveUndoText, kMoveRedoText);
  document.CloseUndoStep();
}

}  // namespace

PathSegment Dragged(const PathSegment& segment, DragPart part, const RealPoint& to) {
  PathSegment s = segment;
  if (part == DragPart::Anchor) {
    const double dh = static_cast<double>(to.h) - segment.p.h;
    const double dv = static_cast<double>(to.v) - segment.p.v;
    s.p = to;
    s.in = Plus(segment.in, dh, dv);
    s.out = Plus(segment.out, dh, dv);
    return s;
  }
  const bool out = part == DragPart::OutHandle;
  (out ? s.out : s.in) = to;
  if (!segment.corner) {
    RealPoint& other = out ? s.in : s.out;
    other = Opposite(segment.p, to, other);
  }
  return s;
}

void Drag(Host& host, const DragTarget& target, const RealPoint& to) {
  if (!Finite(to)) throw std::invalid_argument("a point is dragged to a place of finite numbers");
  Document& document = RequireDocument(host);
  DocumentPath& path = RequireAnchor(document, target.path, target.anchor);
  const PathSegment moved = Dragged(path.segments[target.anchor], target.part, to);
  if (!Finite(moved.in) || !Finite(moved.out))
    throw std::invalid_argument("the handles would be carried beyond the numbers a point holds");
  document.SetSegments(path, target.anchor, {moved});
  CloseMoveStep(document);
}

double KeyboardIncrement(Host& host) {
  // As the palette reads it: a value that is no usable step counts as the default.
  const std::optional<double> increment = host.preferences().Real(kAICursorKeyLengthPreference);
  const bool usable = increment && std::isfinite(static_cast<float>(*increment)) &&
                      static_cast<float>(*increment) > 0.0f;
  return usable ? *increment : kDefaultKeyboardIncrement;
}

size_t Nudge(Host& host, double dh, double dv) {
  Document& document = RequireDocument(host);
  size_t moved = 0;
  for (size_t index : std::vector<size_t>(document.SelectedPaths())) {
    DocumentPath& path = document.PathAt(index);
    for (size_t a = 0; a < path.segments.size(); ++a) {
      const int16_t state = path.selection[a];
      if (state == kAINotSelected) continue;
      const PathSegment s = Nudged(path.segments[a], state, dh, dv);
      if (!Finite(s.p) || !Finite(s.in) || !Finite(s.out)) continue;
      document.SetSegments(path, a, {s});
      ++moved;
    }
  }
  if (moved > 0) CloseMoveStep(document);
  return moved;
}

RealPoint ConstrainedDrag(const RealPoint& from, const RealPoint& to) {
  const double dh = static_cast<double>(to.h) - from.h;
  const double dv = static_cast<double>(to.v) - from.v;
  // Across the diagonals a step is the same along both axes, so the ends stay exact.
  const double diagonal = (dh + dv) / 2;
  const double antidiagonal = (dh - dv) / 2;
  const double root2 = std::sqrt(2.0);
  const double reach[] = {std::fabs(dh), std::fabs(dv), std::fabs(diagonal) * root2,
                          std::fabs(antidiagonal) * root2};
  const double moves[][2] = {{dh, 0}, {0, dv}, {diagonal, diagonal}, {antidiagonal, -antidiagonal}};
  size_t nearest = 0;
  for (size_t i = 1; i < 4; ++i) {
    if (reach[i] > reach[nearest]) nearest = i;
  }
  return Plus(from, moves[nearest][0], moves[nearest][1]);
}

DragPreview::DragPreview(Host& host, const DragTarget& target) : host_(host), target_(target) {
  DocumentPath& path = RequireAnchor(RequireDocument(host), target.path, target.anchor);
  path_ = path.handle;
  original_ = path.segments[target.anchor];
}

RealPoint DragPreview::start() const {
  switch (target_.part) {
    case DragPart::InHandle:
      return original_.in;
    case DragPart::OutHandle:
      return original_.out;
    default:
      return original_.p;
  }
}

void DragPreview::MoveTo(const RealPoint& to) {
  if (!Finite(to)) return;
  const PathSegment moved = Dragged(original_, target_.part, to);
  if (Finite(moved.in) && Finite(moved.out)) Write(moved);
}

void DragPreview::Restore() {
  Write(original_);
}

void DragPreview::Write(const PathSegment& segment) {
  Document* document = host_.document();
  DocumentPath* path = document == nullptr ? nullptr : document->Path(path_);
  if (path == nullptr || target_.anchor >= path->segments.size()) return;
  // Past the Edit menu's history: the drag's own step is made when it ends.
  path->segments[target_.anchor] = segment;
  host_.QueueNotification(kAIArtSelectionChangedNotifier);
  host_.DeliverNotifications();
}

}  // namespace tavrix::host
