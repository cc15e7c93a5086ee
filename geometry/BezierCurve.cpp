#include "geometry/BezierCurve.h"

#include <cmath>

#include "geometry/VectorMath.h"

namespace tavrix {
namespace {

// Compared in double precision, as the palette compares a retracted handle: a component exactly
// the float nearest 0.00001 is near zero here too.
constexpr double kNearZero = 0.00001;
constexpr float kRetryNearStart = 0.0001f;
constexpr float kRetryNearEnd = 0.9999f;
// Close to the ends, but not at them, so the end-point retry does not take part.
constexpr float kInTangentParameter = 0.99999f;
constexpr float kOutTangentParameter = 0.00001f;

double Derivative(double t, double p0, double p1, double p2, double p3) {
  return 3.0 * t * t * (-p0 + 3.0 * p1 - 3.0 * p2 + p3) +
         2.0 * t * (3.0 * p0 - 6.0 * p1 + 3.0 * p2) + (3.0 * p1 - 3.0 * p0);
}

RealPoint DerivativeAt(const CubicBezier& c, float t) {
  return RealPoint{static_cast<float>(Derivative(t, c.p0.h, c.p1.h, c.p2.h, c.p3.h)),
                   static_cast<float>(Derivative(t, c.p0.v, c.p1.v, c.p2.v, c.p3.v))};
}

bool IsNearZero(const RealPoint& p) {
  return std::fabs(static_cast<double>(p.h)) < kNearZero &&
         std::fabs(static_cast<double>(p.v)) < kNearZero;
}

// A negated zero component would turn a leftward direction into -pi; shown angles lie in
// (-pi, pi].
float Atan2(float v, float h) {
  const double vertical = v == 0.0f ? 0.0 : static_cast<double>(v);
  return static_cast<float>(std::atan2(vertical, static_cast<double>(h)));
}

RealPoint UnitOrSelf(RealPoint p) {
  const float length = VectorLength(p);
  if (static_cast<double>(length) > kNearZero) {
    p.h /= length;
    p.v /= length;
  }
  return p;
}

}  // namespace

RealPoint BezierPoint(const CubicBezier& c, float t) {
  const double s = t;
  const double u = 1.0 - s;
  const double b0 = u * u * u;
  const double b1 = 3.0 * u * u * s;
  const double b2 = 3.0 * u * s * s;
  const double b3 = s * s * s;
  return RealPoint{static_cast<float>(b0 * c.p0.h + b1 * c.p1.h + b2 * c.p2.h + b3 * c.p3.h),
                   static_cast<float>(b0 * c.p0.v + b1 * c.p1.v + b2 * c.p2.v + b3 * c.p3.v)};
}

RealPoint BezierTangent(const CubicBezier& curve, float t) {
  const RealPoint d = DerivativeAt(curve, t);
  if (!IsNearZero(d)) return d;
  if (t == 0.0f) return DerivativeAt(curve, kRetryNearStart);
  if (t == 1.0f) return DerivativeAt(curve, kRetryNearEnd);
  return d;
}

float InTangentAngle(const RealPoint& previousAnchor, const RealPoint& previousOut,
                     const RealPoint& currentIn, const RealPoint& currentAnchor) {
  const RealPoint d = BezierTangent(
      CubicBezier{previousAnchor, previousOut, currentIn, currentAnchor}, kInTangentParameter);
  return Atan2(-d.v, -d.h);
}

float OutTangentAngle(const RealPoint& currentAnchor, const RealPoint& currentOut,
                      const RealPoint& nextIn, const RealPoint& nextAnchor) {
  const RealPoint d = BezierTangent(CubicBezier{currentAnchor, currentOut, nextIn, nextAnchor},
                                    kOutTangentParameter);
  return Atan2(d.v, d.h);
}

bool IsSmooth(const RealPoint& inOffset, const RealPoint& outOffset) {
  RealPoint a = inOffset;
  RealPoint b{-outOffset.h, -outOffset.v};
  if (IsNearZero(a) || IsNearZero(b)) return false;
  a = UnitOrSelf(a);
  b = UnitOrSelf(b);
  return std::fabs(static_cast<double>(a.h) - b.h) < kNearZero &&
         std::fabs(static_cast<double>(a.v) - b.v) < kNearZero;
}

}  // namespace tavrix
