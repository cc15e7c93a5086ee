// Drawing and erasing one path-direction mark: an open arrowhead whose tip sits on the curve
// and whose two strokes trail behind it, the same size in pixels at every zoom.
#pragma once

#include "hostapi/HostApi.h"

namespace tavrix {

// Draws the mark for the artwork point `mark` and the curve's tangent there, through a drawer
// on `port`. Answers false when the dialog manager gives no drawer (nothing is drawn). Host
// errors are thrown.
bool DrawDirectionMark(AIPortRef port, AIDocumentViewHandle view, const RealPoint& mark,
                       RealPoint tangent);

// Hands the view area around a mark drawn at `mark` back to the host to be redrawn: the artwork
// square of 24 units around it, widened by 3 pixels.
void InvalidateMarkArea(AIDocumentViewHandle view, const RealPoint& mark);

}  // namespace tavrix
