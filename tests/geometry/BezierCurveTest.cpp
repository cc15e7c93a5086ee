#include "geometry/BezierCurve.h"

#include <gtest/gtest.h>

#include <cmath>

#include "geometry/VectorMath.h"

namespace tavrix {
namespace {

const CubicBezier kArch{{0, 0}, {0, 10}, {30, 10}, {30, 0}};

TEST(BezierPoint, EndsAreTheAnchorsAndTheMiddleIsWeighted) {
  const RealPoint start = BezierPoint(kArch, 0.0f);
  const RealPoint end = BezierPoint(kArch, 1.0f);
  EXPECT_FLOAT_EQ(start.h, 0.0f);
  EXPECT_FLOAT_EQ(start.v, 0.0f);
  EXPECT_FLOAT_EQ(end.h, 30.0f);
  EXPECT_FLOAT_EQ(end.v, 0.0f);
  const RealPoint middle = BezierPoint(kArch, 0.5f);
  EXPECT_FLOAT_EQ(middle.h, 15.0f);
  EXPECT_FLOAT_EQ(middle.v, 7.5f);
}

TEST(BezierPoint, WeighsEachControlPointByItsOwnBernsteinTerm) {
  // Four control points apart on both axes, and t off the middle, where the weights of p1 and
  // p2 differ: (1-t)^3, 3(1-t)^2 t, 3(1-t) t^2, t^3 at t = 0.25 are 27, 27, 9, 1 over 64.
  const CubicBezier skewed{{0, 0}, {64, 128}, {640, 0}, {6400, 64}};
  const RealPoint quarter = BezierPoint(skewed, 0.25f);
  EXPECT_FLOAT_EQ(quarter.h, (27 * 64 + 9 * 640 + 6400) / 64.0f);
  EXPECT_FLOAT_EQ(quarter.v, (27 * 128 + 64) / 64.0f);
}

TEST(BezierTangent, IsTheFirstDerivativeOffTheMiddleToo) {
  const CubicBezier skewed{{0, 0}, {64, 128}, {640, 0}, {6400, 64}};
  // 3(1-t)^2 (p1-p0) + 6(1-t)t (p2-p1) + 3t^2 (p3-p2) at t = 0.25.
  const RealPoint d = BezierTangent(skewed, 0.25f);
  EXPECT_FLOAT_EQ(d.h, 3 * 0.5625f * 64 + 6 * 0.1875f * 576 + 3 * 0.0625f * 5760);
  EXPECT_FLOAT_EQ(d.v, 3 * 0.5625f * 128 + 6 * 0.1875f * -128 + 3 * 0.0625f * 64);
}

TEST(BezierTangent, IsTheFirstDerivative) {
  const RealPoint start = BezierTangent(kArch, 0.0f);
  EXPECT_FLOAT_EQ(start.h, 0.0f);
  EXPECT_FLOAT_EQ(start.v, 30.0f);  // 3 * (p1 - p0)
  const RealPoint middle = BezierTangent(kArch, 0.5f);
  EXPECT_FLOAT_EQ(middle.h, 45.0f);
  EXPECT_FLOAT_EQ(middle.v, 0.0f);
}

TEST(BezierTangent, RetriesJustInsideAnEndWhoseHandleIsRetracted) {
  const CubicBezier startRetracted{{0, 0}, {0, 0}, {10, 10}, {20, 0}};
  const RealPoint d = BezierTangent(startRetracted, 0.0f);
  EXPECT_GT(std::hypot(d.h, d.v), 0.0);
  // Very nearly from p0 towards p2.
  EXPECT_NEAR(std::atan2(d.v, d.h), std::atan2(10.0, 10.0), 1e-3);

  const CubicBezier endRetracted{{0, 0}, {10, 10}, {20, 0}, {20, 0}};
  const RealPoint e = BezierTangent(endRetracted, 1.0f);
  EXPECT_NEAR(std::atan2(e.v, e.h), std::atan2(0.0 - 10.0, 20.0 - 10.0), 1e-3);
}

TEST(BezierTangent, RetriesOnlyAtTheExactEndsAndOnlyOnce) {
  const CubicBezier point{{5, 5}, {5, 5}, {5, 5}, {5, 5}};
  const RealPoint middle = BezierTangent(point, 0.5f);
  EXPECT_EQ(middle.h, 0.0f);
  EXPECT_EQ(middle.v, 0.0f);
  // The retry at the end finds zero again and returns it as it is.
  const RealPoint end = BezierTangent(point, 0.0f);
  EXPECT_EQ(end.h, 0.0f);
  EXPECT_EQ(end.v, 0.0f);
}

TEST(TangentAngles, PointAlongTheCurveAtARetractedHandle) {
  const RealPoint origin{0, 0};
  const RealPoint diagonal{10, 10};
  EXPECT_NEAR(InTangentAngle(origin, origin, diagonal, diagonal), -3.0 * kPi / 4.0, 1e-5);
  const RealPoint up{0, 10};
  EXPECT_NEAR(OutTangentAngle(origin, origin, up, up), kPi / 2.0, 1e-5);
}

TEST(TangentAngles, FollowTheNeighbouringHandleOnACurvedSegment) {
  // Arriving at (100, 0) from a previous out handle at (100, 50): the curve comes down, so the
  // In direction points up.
  const float in = InTangentAngle({0, 0}, {100, 50}, {100, 0}, {100, 0});
  EXPECT_NEAR(in, kPi / 2.0, 1e-3);
  // Leaving (0, 0) towards a next in handle at (-50, 0): the Out direction points left.
  const float out = OutTangentAngle({0, 0}, {0, 0}, {-50, 0}, {-50, 40});
  EXPECT_NEAR(std::fabs(out), kPi, 1e-3);
}

TEST(IsSmooth, NeedsTwoExtendedExactlyOppositeHandles) {
  EXPECT_TRUE(IsSmooth({-10, 0}, {20, 0}));
  EXPECT_TRUE(IsSmooth({3, 4}, {-6, -8}));
  EXPECT_FALSE(IsSmooth({-10, 0}, {20, 0.01f}));
  EXPECT_FALSE(IsSmooth({0, 0}, {20, 0}));
  EXPECT_FALSE(IsSmooth({-10, 0}, {0.000001f, 0}));
  EXPECT_FALSE(IsSmooth({-10, 0}, {-20, 0}));  // same direction: a cusp
}

TEST(IsSmooth, ToleranceAppliesToUnitVectorComponents) {
  // Tiny handles below the normalising threshold are compared as they are.
  EXPECT_FALSE(IsSmooth({0.000009f, 0}, {-0.000009f, 0.0f}));
  // A deviation of 1e-6 in the unit vector is within the tolerance.
  EXPECT_TRUE(IsSmooth({-1000, 0}, {1000, 0.001f}));
  EXPECT_FALSE(IsSmooth({-1000, 0}, {1000, 0.1f}));
}

}  // namespace
}  // namespace tavrix

namespace tavrix {
namespace {

// The float nearest 0.00001 lies just below it: the palette shows such a handle as retracted,
// so the geometry must treat it as retracted too, or the Corner flag and Lock angle it derives
// would contradict what the user sees.
TEST(Retracted, AHandleExactlyTheFloatNearestTheThresholdIsRetractedEverywhere) {
  const float nearest = 0.00001f;
  ASSERT_LT(static_cast<double>(nearest), 0.00001);
  EXPECT_FALSE(IsSmooth({-nearest, 0}, {20, 0}));
  EXPECT_FALSE(IsSmooth({-10, 0}, {nearest, 0}));
  // Its end of the curve has no direction of its own: the retry just inside takes over.
  const CubicBezier curve{{0, 0}, {nearest / 3, 0}, {0, 10}, {0, 10}};
  const RealPoint d = BezierTangent(curve, 0.0f);
  EXPECT_GT(d.v, 0.001f);
}

}  // namespace
}  // namespace tavrix
