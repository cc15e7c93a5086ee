// The arrowheads that show the current path's direction on the artwork: one on the curve
// leaving the current anchor, one on the curve arriving at it.
#include "annotation/MarkDrawing.h"
#include "core/ErrorReporting.h"
#include "core/PluginGlobals.h"
#include "core/SuiteTable.h"
#include "geometry/BezierCurve.h"
#include "palette/VPointDBox.h"

namespace tavrix {
namespace {

constexpr float kMarkParameter = 0.5f;

PathSegment ReadSegment(AIArtHandle path, int32_t index) {
  PathSegment segment{};
  CheckError(AIPath().GetPathSegments(path, static_cast<int16_t>(index), 1, &segment));
  return segment;
}

}  // namespace

void VPointDBox::UpdateDirectionMarks(bool show) {
  // Drawing over the artwork is never worth an alert: a failure leaves the marks as they were.
  try {
    if (!HasCurrentPoint()) {
      // Marks of a point that is no longer current must not stay on the artwork.
      if (!show && marksShown) EraseDirectionMarks();
      return;
    }
    if (!show) {
      EraseDirectionMarks();
      return;
    }
    AIDocumentViewHandle view = 0;
    CheckError(AIDocumentView().GetNthDocumentView(0, &view));
    // The areas of the marks drawn last go back to the host before the new ones are drawn.
    InvalidateMarkArea(view, forwardMarkPoint);
    InvalidateMarkArea(view, backwardMarkPoint);
    const AIPortRef port = globals != nullptr ? globals->annotationPort : 0;
    const PathSegment current = ReadSegment(currentPath, currentPointIndex);

    int32_t next = currentPointIndex + 1;
    if (next >= segmentCount && pathClosed) next = 0;
    forwardMarkPoint = RealPoint{0, 0};
    if (next < segmentCount) {
      const PathSegment after = ReadSegment(currentPath, next);
      const CubicBezier curve{current.p, current.out, after.in, after.p};
      forwardMarkPoint = BezierPoint(curve, kMarkParameter);
      marksShown = true;
      DrawDirectionMark(port, view, forwardMarkPoint, BezierTangent(curve, kMarkParameter));
    }

    int32_t previous = currentPointIndex - 1;
    if (previous == -1 && pathClosed) previous = segmentCount - 1;
    backwardMarkPoint = RealPoint{0, 0};
    if (previous >= 0) {
      const PathSegment before = ReadSegment(currentPath, previous);
      const CubicBezier curve{before.p, before.out, current.in, current.p};
      backwardMarkPoint = BezierPoint(curve, kMarkParameter);
      marksShown = true;
      DrawDirectionMark(port, view, backwardMarkPoint, BezierTangent(curve, kMarkParameter));
    }
  } catch (...) {
  }
}

void VPointDBox::EraseDirectionMarks() {
  AIDocumentViewHandle view = 0;
  CheckError(AIDocumentView().GetNthDocumentView(0, &view));
  InvalidateMarkArea(view, forwardMarkPoint);
  InvalidateMarkArea(view, backwardMarkPoint);
  forwardMarkPoint = RealPoint{0, 0};
  backwardMarkPoint = RealPoint{0, 0};
  marksShown = false;
}

}  // namespace tavrix
