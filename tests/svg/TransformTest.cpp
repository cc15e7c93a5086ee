// The transform attribute: each function, lists in order, and faults named by character.
#include "host/svg/SvgTransform.h"

#include <gtest/gtest.h>

#include <cmath>

#include "host/svg/SvgError.h"

namespace tavrix::svg {
namespace {

void Apply(const Affine& m, double x, double y, double& outX, double& outY) {
  outX = m.a * x + m.c * y + m.e;
  outY = m.b * x + m.d * y + m.f;
}

::testing::AssertionResult Maps(const char* transform, double x, double y, double toX, double toY) {
  double ax, ay;
  Apply(ParseTransform(transform), x, y, ax, ay);
  if (std::fabs(ax - toX) < 1e-9 && std::fabs(ay - toY) < 1e-9) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << transform << " maps (" << x << ", " << y << ") to (" << ax << ", " << ay << ")";
}

TEST(Transform, EachFunction) {
  EXPECT_TRUE(Maps("", 3, 4, 3, 4));
  EXPECT_TRUE(Maps("none", 3, 4, 3, 4));
  EXPECT_TRUE(Maps("matrix(1 2 3 4 5 6)", 1, 1, 9, 12));
  EXPECT_TRUE(Maps("translate(10)", 1, 1, 11, 1));
  EXPECT_TRUE(Maps("translate(10 20)", 1, 1, 11, 21));
  EXPECT_TRUE(Maps("scale(2)", 3, 4, 6, 8));
  EXPECT_TRUE(Maps("scale(2,-1)", 3, 4, 6, -4));
  EXPECT_TRUE(Maps("rotate(90)", 1, 0, 0, 1));
  EXPECT_TRUE(Maps("rotate(30)", 1, 0, std::cos(M_PI / 6), std::sin(M_PI / 6)));
  // About a centre: the centre stays, the rest turns around it.
  EXPECT_TRUE(Maps("rotate(90 10 10)", 10, 10, 10, 10));
  EXPECT_TRUE(Maps("rotate(90 10 10)", 20, 10, 10, 20));
  EXPECT_TRUE(Maps("skewX(45)", 0, 10, 10, 10));
  EXPECT_TRUE(Maps("skewY(45)", 10, 0, 10, 10));
}

TEST(Transform, ListsApplyRightmostFirstWithAnySeparators) {
  EXPECT_TRUE(Maps("translate(10,0) scale(2)", 1, 1, 12, 2));
  EXPECT_TRUE(Maps("scale(2) translate(10,0)", 1, 1, 22, 2));
  EXPECT_TRUE(Maps(" \n translate( 10 , 0 ) ,\tscale( 2 )  ", 1, 1, 12, 2));
  EXPECT_TRUE(Maps("translate(10,0)scale(2)", 1, 1, 12, 2));
  EXPECT_TRUE(Maps("translate(-1-2)", 0, 0, -1, -2));
}

TEST(Transform, QuarterTurnsAreExactAndKeepTheAxesApart) {
  for (const char* turn :
       {"rotate(90)", "rotate(-90)", "rotate(180)", "rotate(270)", "rotate(450)"}) {
    const Affine m = ParseTransform(turn);
    EXPECT_TRUE(m.a == std::round(m.a) && m.b == std::round(m.b)) << turn;
  }
  EXPECT_TRUE(AxisAligned(ParseTransform("rotate(180) translate(3 4) scale(2 -5)")));
  EXPECT_FALSE(AxisAligned(ParseTransform("rotate(90)")));
  EXPECT_FALSE(AxisAligned(ParseTransform("skewX(10)")));
}

TEST(Transform, InverseUndoesAndAFlatTransformHasNone) {
  const Affine m = ParseTransform("translate(5 -3) rotate(33 1 2) skewX(12) scale(2 0.5)");
  const std::optional<Affine> inverse = Inverse(m);
  ASSERT_TRUE(inverse.has_value());
  double x, y, backX, backY;
  Apply(m, 7, -11, x, y);
  Apply(*inverse, x, y, backX, backY);
  EXPECT_NEAR(backX, 7, 1e-12);
  EXPECT_NEAR(backY, -11, 1e-12);
  EXPECT_FALSE(Inverse(ParseTransform("scale(0 1)")).has_value());
  EXPECT_NEAR(LargestScale(ParseTransform("rotate(20) scale(3 0.5)")), 3, 1e-12);
}

TEST(Transform, AFaultIsNamedByItsCharacter) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"rotate(1,2)", "rotate takes 1 or 3 numbers at character 11 of 'transform'"},
      {"scale(", "expected a number at the end of 'transform'"},
      {"translate(1 2", "expected a number or ')' at the end of 'transform'"},
      {"spin(3)", "unknown transform 'spin' at character 7 of 'transform'"},
      {"matrix(1 2 3 4 5)", "matrix takes 6 numbers"},
      {"rotate(45deg)", "expected a number or ')' at character 10 of 'transform'"},
      {"translate(1,)", "expected a number at character 13 of 'transform'"},
      {"(3)", "expected a transform such as rotate(30) at character 1 of 'transform'"},
  };
  for (const auto& c : cases) {
    std::string message;
    try {
      ParseTransform(c.text);
    } catch (const SvgError& error) {
      message = error.what();
    }
    EXPECT_NE(message.find(c.message), std::string::npos) << c.text << ": " << message;
  }
}

}  // namespace
}  // namespace tavrix::svg
