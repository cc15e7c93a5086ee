#include "geometry/VectorMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tavrix {
namespace {

constexpr float kHalfPi = static_cast<float>(kPi / 2);

TEST(PolarToCartesian, ReducesAnglesOutsideOneTurnToTheSamePoint) {
  const RealPoint down = PolarToCartesian(10.0f, -kHalfPi);
  EXPECT_NEAR(down.h, 0.0f, 1e-5);
  EXPECT_NEAR(down.v, -10.0f, 1e-5);

  const RealPoint above = PolarToCartesian(3.0f, 7.0f);
  const RealPoint within = PolarToCartesian(3.0f, 7.0f - 6.2831855f);
  EXPECT_FLOAT_EQ(above.h, within.h);
  EXPECT_FLOAT_EQ(above.v, within.v);
}

TEST(PolarToCartesian, NegativeLengthPointsOppositeTheAngle) {
  const RealPoint p = PolarToCartesian(-2.0f, 0.0f);
  EXPECT_FLOAT_EQ(p.h, -2.0f);
  EXPECT_NEAR(p.v, 0.0f, 1e-6);
}

TEST(PolarToCartesian, AnglesOfAnyMagnitudeFinishAndStayOnTheCircle) {
  // A loop of float subtractions could never bring these into range.
  for (float angle : {1e9f, -1e9f, 3.0e38f, -3.0e38f, std::numeric_limits<float>::max()}) {
    const RealPoint p = PolarToCartesian(5.0f, angle);
    EXPECT_NEAR(std::hypot(p.h, p.v), 5.0, 1e-4) << angle;
  }
  // A large angle that is an exact number of float turns lands on angle 0.
  const RealPoint turns = PolarToCartesian(1.0f, 6.2831855f * 1024.0f);
  EXPECT_NEAR(turns.h, 1.0f, 1e-6);
  EXPECT_NEAR(turns.v, 0.0f, 1e-6);
}

TEST(PolarToCartesian, NonFiniteAngleGivesANonFiniteResultInsteadOfHanging) {
  for (float angle :
       {std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity(),
        std::numeric_limits<float>::quiet_NaN()}) {
    const RealPoint p = PolarToCartesian(1.0f, angle);
    EXPECT_FALSE(std::isfinite(p.h) && std::isfinite(p.v));
  }
}

TEST(PolarToCartesian, KeepsAnAngleJustBelowTheDoubleTurn) {
  // 6.2831850 as a float is below 2*pi as a double, so it is not reduced: the point lies a
  // hair below the h axis, not on it.
  const float justBelow = std::nextafter(6.2831855f, 0.0f);
  const RealPoint p = PolarToCartesian(1.0f, justBelow);
  EXPECT_LT(p.v, 0.0f);
}

TEST(CartesianToPolar, AnglesFollowTheArcTangentConvention) {
  const PolarForm left = CartesianToPolar(-1.0f, 0.0f);
  EXPECT_FLOAT_EQ(left.length, 1.0f);
  EXPECT_FLOAT_EQ(left.angle, static_cast<float>(kPi));

  const PolarForm down = CartesianToPolar(0.0f, -1.0f);
  EXPECT_FLOAT_EQ(down.angle, -kHalfPi);  // negative, not reduced into one turn

  const PolarForm zero = CartesianToPolar(0.0f, 0.0f);
  EXPECT_EQ(zero.length, 0.0f);
  EXPECT_EQ(zero.angle, 0.0f);
  EXPECT_EQ(CartesianToPolar(-0.0f, 0.0f).angle, 0.0f);
}

TEST(CartesianToPolar, RoundTripsThroughPolarToCartesian) {
  const RealPoint original{-30.5f, 12.25f};
  const PolarForm polar = CartesianToPolar(original.h, original.v);
  const RealPoint back = PolarToCartesian(polar.length, polar.angle);
  EXPECT_NEAR(back.h, original.h, 1e-4);
  EXPECT_NEAR(back.v, original.v, 1e-4);
  EXPECT_FLOAT_EQ(VectorLength(original), polar.length);
}

TEST(RotatePoint, TurnsCounterClockwiseAboutTheCentre) {
  RealPoint p{20.0f, 10.0f};
  RotatePointAbout(p, kHalfPi, 10.0f, 10.0f);
  EXPECT_NEAR(p.h, 10.0f, 1e-5);
  EXPECT_NEAR(p.v, 20.0f, 1e-5);

  RealPoint q{1.0f, 0.0f};
  RotatePoint(q, static_cast<float>(kPi));
  EXPECT_NEAR(q.h, -1.0f, 1e-6);
  EXPECT_NEAR(q.v, 0.0f, 1e-6);
}

}  // namespace
}  // namespace tavrix
