// The arc length of one cubic Bezier curve, integrated to near double precision.
#pragma once

namespace tavrix::host {

struct CurvePoints {
  double h0, v0, h1, v1, h2, v2, h3, v3;
};

// Adaptive Gauss-Kronrod (7/15 points) on the curve's speed. Each piece is accepted when the
// two rules agree to within a share of `relativeTolerance` of the control polygon's length,
// which bounds the curve's length from above, so the whole is good to about that relative error.
double CurveLength(const CurvePoints& curve, double relativeTolerance = 1e-13);

}  // namespace tavrix::host
