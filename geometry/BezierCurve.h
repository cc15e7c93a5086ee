// Points and tangents of a cubic Bezier curve, the direction shown for a retracted handle and
// the smoothness test of an anchor.
#pragma once

#include "hostapi/HostTypes.h"

namespace tavrix {

RealPoint BezierPoint(const CubicBezier& curve, float t);

// The first derivative at t, not normalised. At t exactly 0 or 1, a vanishing derivative (a
// handle lying on its anchor) is computed once more a little way inside the curve.
RealPoint BezierTangent(const CubicBezier& curve, float t);

// The direction from the current anchor back along the curve arriving at it, in radians.
float InTangentAngle(const RealPoint& previousAnchor, const RealPoint& previousOut,
                     const RealPoint& currentIn, const RealPoint& currentAnchor);

// The direction of the curve leaving the current anchor, in radians.
float OutTangentAngle(const RealPoint& currentAnchor, const RealPoint& currentOut,
                      const RealPoint& nextIn, const RealPoint& nextAnchor);

// True when both handles are extended and point in exactly opposite directions. The offsets
// are relative to the anchor.
bool IsSmooth(const RealPoint& inOffset, const RealPoint& outOffset);

}  // namespace tavrix
