// Handle offsets in cartesian and polar form, rotation and length. Pure functions on floats.
#pragma once

#include "hostapi/HostTypes.h"

namespace tavrix {

// The value of pi the palette converts degrees and radians with.
inline constexpr double kPi = 3.1415926535898;

struct PolarForm {
  float length;
  float angle;  // radians, counter-clockwise from the positive h axis
};

// A negative length gives the point opposite to the angle. A non-finite angle gives a
// non-finite result, which callers refuse.
RealPoint PolarToCartesian(float length, float angle);

// The angle lies in (-pi, pi]; the zero offset gives length 0 and angle 0.
PolarForm CartesianToPolar(float h, float v);

void RotatePointAbout(RealPoint& point, float angle, float centreH, float centreV);
void RotatePoint(RealPoint& point, float angle);

float VectorLength(const RealPoint& vector);

}  // namespace tavrix
