#include "annotation/MarkDrawing.h"

#include "core/ErrorReporting.h"
#include "core/SuiteTable.h"
#include "geometry/VectorMath.h"

namespace tavrix {
namespace {

constexpr int32_t kHalfSize = 14;
constexpr float kStrokeLength = 12.0f;
constexpr float kFirstTurn = 0.5235988f;
constexpr float kSecondTurn = -1.0471976f;
constexpr double kNormalisingThreshold = 0.00001;
constexpr float kEraseHalfSize = 12.0f;
constexpr int32_t kEraseMargin = 3;
constexpr int32_t kDrawerFont = 2;

AIPoint ViewPoint(AIDocumentViewHandle view, const RealPoint& artwork) {
  AIPoint point{0, 0};
  CheckError(AIDocumentView().ArtworkPointToViewPoint(view, &artwork, &point));
  return point;
}

// Coordinates inside the drawer, truncated towards zero.
ADMPoint InDrawer(const RealPoint& offset) {
  return ADMPoint{static_cast<int32_t>(kHalfSize + offset.h),
                  static_cast<int32_t>(kHalfSize + offset.v)};
}

}  // namespace

bool DrawDirectionMark(AIPortRef port, AIDocumentViewHandle view, const RealPoint& mark,
                       RealPoint tangent) {
  const AIPoint at = ViewPoint(view, mark);
  const ADMRect bounds{at.h - kHalfSize, at.v - kHalfSize, at.h + kHalfSize, at.v + kHalfSize};
  ADMDrawerRef drawer = ADMDrawer().Create(port, &bounds, kDrawerFont);
  if (drawer == nullptr) return false;
  ADMDrawer().SetDrawMode(drawer, kADMNormalMode);
  ADMDrawer().SetADMColor(drawer, kADMBlackColor);

  const float length = VectorLength(tangent);
  if (static_cast<double>(length) > kNormalisingThreshold) {
    tangent.h /= length;
    tangent.v /= length;
  }
  // Backwards along the path, then turned each way; the view's v runs downwards.
  tangent.h *= -kStrokeLength;
  tangent.v *= -kStrokeLength;
  RotatePoint(tangent, kFirstTurn);
  const RealPoint first{tangent.h, -tangent.v};
  RotatePoint(tangent, kSecondTurn);
  const RealPoint second{tangent.h, -tangent.v};

  const ADMPoint tip{kHalfSize, kHalfSize};
  const ADMPoint firstStart = InDrawer(first);
  const ADMPoint secondStart = InDrawer(second);
  ADMDrawer().DrawLine(drawer, &firstStart, &tip);
  ADMDrawer().DrawLine(drawer, &secondStart, &tip);
  ADMDrawer().Release(drawer);
  return true;
}

void InvalidateMarkArea(AIDocumentViewHandle view, const RealPoint& mark) {
  const AIPoint topLeft =
      ViewPoint(view, RealPoint{mark.h - kEraseHalfSize, mark.v + kEraseHalfSize});
  const AIPoint bottomRight =
      ViewPoint(view, RealPoint{mark.h + kEraseHalfSize, mark.v - kEraseHalfSize});
  const AIRect area{topLeft.h - kEraseMargin, topLeft.v - kEraseMargin,
                    bottomRight.h + kEraseMargin, bottomRight.v + kEraseMargin};
  CheckError(AIAnnotator().InvalAnnotationRect(view, &area));
}

}  // namespace tavrix
