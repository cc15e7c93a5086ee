#include "geometry/VectorMath.h"

#include <cmath>

namespace tavrix {
namespace {

// The turn is added and subtracted as a float but compared as a double, so an angle a hair
// below the double's 2*pi is kept as it is.
constexpr float kTurnAsFloat = 6.2831855f;
constexpr double kTurnAsDouble = 6.2831853071796;
// Beyond this many turns, a float subtraction may no longer change the angle at all.
constexpr float kReduceByRemainderAbove = 64.0f * kTurnAsFloat;

float ReduceAngle(float angle) {
  if (!std::isfinite(angle)) return angle;
  if (std::fabs(angle) > kReduceByRemainderAbove) {
    // fmod is exact, so the result differs from the loop's only where the loop's own rounding
    // would have drifted.
    angle = static_cast<float>(std::fmod(static_cast<double>(angle), double{kTurnAsFloat}));
  }
  while (angle < 0.0f) angle += kTurnAsFloat;
  while (static_cast<double>(angle) >= kTurnAsDouble) angle -= kTurnAsFloat;
  return angle;
}

}  // namespace

RealPoint PolarToCartesian(float length, float angle) {
  const double a = ReduceAngle(angle);
  return RealPoint{static_cast<float>(length * std::cos(a)),
                   static_cast<float>(length * std::sin(a))};
}

PolarForm CartesianToPolar(float h, float v) {
  if (h == 0.0f && v == 0.0f) return PolarForm{0.0f, 0.0f};
  // A negative zero would turn the angle of a leftward handle into -pi; it is pi.
  if (v == 0.0f) v = 0.0f;
  return PolarForm{VectorLength(RealPoint{h, v}),
                   static_cast<float>(std::atan2(static_cast<double>(v), static_cast<double>(h)))};
}

void RotatePointAbout(RealPoint& point, float angle, float centreH, float centreV) {
  const double s = static_cast<float>(std::sin(static_cast<double>(angle)));
  const double c = static_cast<float>(std::cos(static_cast<double>(angle)));
  const double dh = point.h - centreH;
  const double dv = point.v - centreV;
  point.h = static_cast<float>(centreH + (c * dh - s * dv));
  point.v = static_cast<float>(centreV + (s * dh + c * dv));
}

void RotatePoint(RealPoint& point, float angle) {
  RotatePointAbout(point, angle, 0.0f, 0.0f);
}

float VectorLength(const RealPoint& vector) {
  const double h = vector.h;
  const double v = vector.v;
  return static_cast<float>(std::sqrt(h * h + v * v));
}

}  // namespace tavrix
