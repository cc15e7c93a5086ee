// The host's own Direct Selection tool: what a person does to the artwork with it, outside any
// plug-in. Dragging an anchor carries its handles with it; dragging a handle's end moves that
// handle (on a smooth anchor the opposite handle turns with it, keeping its length); the arrow
// keys move what is selected by the keyboard increment. Each is one step of the Edit menu,
// "Undo Move" / "Redo Move", and plug-ins hear of it through their ordinary notification, as of
// any change made by another hand.
#pragma once

#include <cstddef>

#include "hostapi/AIArtworkSuites.h"

namespace tavrix::host {

class Host;

inline constexpr char kMoveUndoText[] = "Undo Move";
inline constexpr char kMoveRedoText[] = "Redo Move";
// The arrow keys with Shift held move this many keyboard increments.
inline constexpr double kShiftNudgeFactor = 10;

enum class DragPart { Anchor, InHandle, OutHandle };

// What a drag takes hold of: an anchor, or one end of its handles.
struct DragTarget {
  size_t path = 0;
  size_t anchor = 0;
  DragPart part = DragPart::Anchor;
};

// The segment once the part is at `to`.
PathSegment Dragged(const PathSegment& segment, DragPart part, const RealPoint& to);

// The part ends at `to`: one step. Throws std::out_of_range naming the path or anchor that does
// not exist (without a document: std::logic_error), std::invalid_argument for a place that is
// not a finite number.
void Drag(Host& host, const DragTarget& target, const RealPoint& to);

// The host's keyboard increment, in points (the preference "cursorKeyLength").
double KeyboardIncrement(Host& host);

// Moves every selected anchor by (dh, dv) with its handles, and a handle whose end alone is
// selected by the same: one step. Answers how many anchors moved or had a handle moved; 0 (and
// no step) when nothing is selected. Throws std::logic_error without a document.
size_t Nudge(Host& host, double dh, double dv);

// With Shift held: the end of a drag from `from` towards `to`, put on the nearest of the
// horizontal, vertical and two diagonal lines through `from`.
RealPoint ConstrainedDrag(const RealPoint& from, const RealPoint& to);

// A drag with the mouse as it goes: the part follows the pointer and plug-ins hear of each move
// as of any change, but no step is made. Restore puts the part back where it was, so that the
// drag's one step can then be made by Drag (as the session's `drag` does) and undone exactly.
class DragPreview {
 public:
  // Throws as Drag does for a target that does not exist.
  DragPreview(Host& host, const DragTarget& target);
  const DragTarget& target() const { return target_; }
  // Where the part was when the drag began.
  RealPoint start() const;
  // The part to `to` (not finite: it stays where it is).
  void MoveTo(const RealPoint& to);
  // The part where it was. A target that went meanwhile is left alone.
  void Restore();

 private:
  void Write(const PathSegment& segment);

  Host& host_;
  DragTarget target_;
  AIArtHandle path_;
  PathSegment original_;
};

}  // namespace tavrix::host
