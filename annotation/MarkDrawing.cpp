#include "annotation/MarkDrawing.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

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
constexpr double kPixelNoise = 1e-4;

// A pixel a few pixels from one the host gave, which may be the largest it has: never past the
// 32-bit range.
int32_t Offset(int32_t pixel, int32_t by) {
  const int64_t moved = int64_t{pixel} + by;
  return static_cast<int32_t>(std::clamp<int64_t>(moved, INT32_MIN, INT32_MAX));
}

AIPoint ViewPoint(AIDocumentViewHandle view, const RealPoint& artwork) {
  AIPoint point{0, 0};
  CheckError(AIDocumentView().ArtworkPointToViewPoint(view, &artwork, &point));
  return point;
}

// A coordinate inside the drawer, truncated towards zero. The strokes' ends are often whole
// pixels in exact arithmetic (a horizontal curve gives 8 and 20); float sin and cos land them a
// hair to either side, differently from one maths library to the next, and truncating a hair
// below would move the stroke a whole pixel. Within 1e-4 of a whole pixel counts as on it.
int32_t DrawerCoordinate(float offset) {
  const double value = kHalfSize + static_cast<double>(offset);
  const double whole = std::nearbyint(value);
  return static_cast<int32_t>(std::fabs(value - whole) < kPixelNoise ? whole : value);
}

ADMPoint InDrawer(const RealPoint& offset) {
  return ADMPoint{DrawerCoordinate(offset.h), DrawerCoordinate(offset.v)};
}

// A drawer the host lent, released when its owner goes.
class ScopedDrawer {
 public:
  explicit ScopedDrawer(ADMDrawerRef drawer) : drawer_(drawer) {}
  ~ScopedDrawer() {
    if (drawer_ != nullptr) ADMDrawer().Release(drawer_);
  }
  ScopedDrawer(const ScopedDrawer&) = delete;
  ScopedDrawer& operator=(const ScopedDrawer&) = delete;
  ADMDrawerRef get() const { return drawer_; }

 private:
  ADMDrawerRef drawer_;
};

}  // namespace

bool DrawDirectionMark(AIPortRef port, AIDocumentViewHandle view, const RealPoint& mark,
                       RealPoint tangent) {
  const AIPoint at = ViewPoint(view, mark);
  const ADMRect bounds{Offset(at.h, -kHalfSize), Offset(at.v, -kHalfSize), Offset(at.h, kHalfSize),
                       Offset(at.v, kHalfSize)};
  const ScopedDrawer drawer(ADMDrawer().Create(port, &bounds, kDrawerFont));
  if (drawer.get() == nullptr) return false;
  ADMDrawer().SetDrawMode(drawer.get(), kADMNormalMode);
  ADMDrawer().SetADMColor(drawer.get(), kADMBlackColor);

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
  ADMDrawer().DrawLine(drawer.get(), &firstStart, &tip);
  ADMDrawer().DrawLine(drawer.get(), &secondStart, &tip);
  return true;
}

void InvalidateMarkArea(AIDocumentViewHandle view, const RealPoint& mark) {
  const AIPoint topLeft =
      ViewPoint(view, RealPoint{mark.h - kEraseHalfSize, mark.v + kEraseHalfSize});
  const AIPoint bottomRight =
      ViewPoint(view, RealPoint{mark.h + kEraseHalfSize, mark.v - kEraseHalfSize});
  const AIRect area{Offset(topLeft.h, -kEraseMargin), Offset(topLeft.v, -kEraseMargin),
                    Offset(bottomRight.h, kEraseMargin), Offset(bottomRight.v, kEraseMargin)};
  CheckError(AIAnnotator().InvalAnnotationRect(view, &area));
}

}  // namespace tavrix
