// Path data: every command, the number forms and separators SVG allows, subpaths and closing,
// and a clear message at the first fault.
#include <gtest/gtest.h>

#include "SvgTestSupport.h"

namespace tavrix::svg {
namespace {

using svgtest::ErrorOf;
using svgtest::Exactly;
using svgtest::Near;
using svgtest::PathsOf;

TEST(PathData, StraightCommandsAbsoluteAndRelativeWithTheVerticalFlipped) {
  const auto paths = PathsOf("M10 20 L30 40 H50 V60 l10 10 h-5 v-5");
  ASSERT_EQ(paths.size(), 1u);
  const auto& s = paths[0].segments;
  ASSERT_EQ(s.size(), 7u);
  const float expected[][2] = {{10, -20}, {30, -40}, {50, -40}, {50, -60},
                               {60, -70}, {55, -70}, {55, -65}};
  for (size_t i = 0; i < s.size(); ++i) {
    EXPECT_TRUE(Exactly(s[i].p, expected[i][0], expected[i][1])) << "anchor " << i;
    EXPECT_TRUE(Exactly(s[i].in, expected[i][0], expected[i][1])) << "anchor " << i;
    EXPECT_TRUE(Exactly(s[i].out, expected[i][0], expected[i][1])) << "anchor " << i;
    EXPECT_EQ(s[i].corner, 1);
  }
  EXPECT_FALSE(paths[0].closed);
}

TEST(PathData, NumberFormsAndSeparators) {
  // ".5.5" is two numbers, "-1-2" too; an exponent, a plus sign; odd spaces and commas.
  const auto s = PathsOf(" \t\n M.5.5L1e2-1-2+3 ,\r\n 4E-1,  -.25e+1 l1. 2").at(0).segments;
  ASSERT_EQ(s.size(), 5u);
  EXPECT_TRUE(Exactly(s[0].p, 0.5f, -0.5f));
  EXPECT_TRUE(Exactly(s[1].p, 100, 1));
  EXPECT_TRUE(Exactly(s[2].p, -2, -3));
  EXPECT_TRUE(Exactly(s[3].p, 0.4f, 2.5f));
  EXPECT_TRUE(Exactly(s[4].p, 1.4f, 0.5f));
}

TEST(PathData, ExtraPairsRepeatTheCommandAndAMovetosAreLinetos) {
  const auto absolute = PathsOf("M0 0 10 0 10 10").at(0).segments;
  ASSERT_EQ(absolute.size(), 3u);
  EXPECT_TRUE(Exactly(absolute[2].p, 10, -10));
  const auto relative = PathsOf("m1 1 2 2 3 3").at(0).segments;
  ASSERT_EQ(relative.size(), 3u);
  EXPECT_TRUE(Exactly(relative[1].p, 3, -3));
  EXPECT_TRUE(Exactly(relative[2].p, 6, -6));
  const auto curves = PathsOf("M0 0 c1 0 2 0 3 0 1 0 2 0 3 0").at(0).segments;
  ASSERT_EQ(curves.size(), 3u);
  EXPECT_TRUE(Exactly(curves[2].p, 6, 0));
  EXPECT_TRUE(Exactly(curves[2].in, 5, 0));
}

TEST(PathData, CubicsAndTheirReflections) {
  const auto s = PathsOf("M0 0 C10 0 20 10 20 20 S30 40 40 40 s10 -10 10 -20").at(0).segments;
  ASSERT_EQ(s.size(), 4u);
  EXPECT_TRUE(Exactly(s[0].out, 10, 0));
  EXPECT_TRUE(Exactly(s[1].in, 20, -10));
  // S reflects the previous second control point about the current point.
  EXPECT_TRUE(Exactly(s[1].out, 20, -30));
  EXPECT_TRUE(Exactly(s[2].in, 30, -40));
  EXPECT_TRUE(Exactly(s[2].out, 50, -40));
  EXPECT_TRUE(Exactly(s[3].in, 50, -30));
  EXPECT_TRUE(Exactly(s[3].p, 50, -20));
  // Reflected handles make smooth anchors; the ends have a retracted handle.
  EXPECT_EQ(s[1].corner, 0);
  EXPECT_EQ(s[2].corner, 0);
  EXPECT_EQ(s[0].corner, 1);
  EXPECT_EQ(s[3].corner, 1);
  // S after anything but a cubic takes the current point as its first control.
  const auto alone = PathsOf("M0 0 L10 0 S20 10 30 0").at(0).segments;
  EXPECT_TRUE(Exactly(alone[1].out, 10, 0));
}

TEST(PathData, QuadraticsBecomeTheSameCurveAsCubics) {
  const auto s = PathsOf("M0 0 Q30 30 60 0 T120 0 t60 0").at(0).segments;
  ASSERT_EQ(s.size(), 4u);
  // Raised exactly: the cubic's controls are two thirds of the way to the quadratic's.
  EXPECT_TRUE(Exactly(s[0].out, 20, -20));
  EXPECT_TRUE(Exactly(s[1].in, 40, -20));
  // T reflects the quadratic control (30,30) about (60,0) to (90,-30).
  EXPECT_TRUE(Exactly(s[1].out, 80, 20));
  EXPECT_TRUE(Exactly(s[2].in, 100, 20));
  EXPECT_TRUE(Exactly(s[3].p, 180, 0));
  // The midpoint of a quadratic from (0,0) by (30,30) to (60,0) is (30,15).
  EXPECT_TRUE(Near(svgtest::CurvePoint(s[0], s[1], 0.5), 30, -15, 1e-5));
  // T after anything but a quadratic is a straight line.
  const auto line = PathsOf("M0 0 L10 0 T40 0").at(0).segments;
  EXPECT_TRUE(Exactly(line[1].out, 10, 0));
  EXPECT_TRUE(Exactly(line[2].in, 20, 0));
}

TEST(PathData, ArcFlagsNeedNoSeparators) {
  const auto packed = PathsOf("M0 0 a1 1 0 00 1 1").at(0).segments;
  const auto spaced = PathsOf("M0 0 a 1,1 0 0,0 1,1").at(0).segments;
  ASSERT_TRUE(svgtest::SameSegments(packed, spaced));
  EXPECT_TRUE(Exactly(packed.back().p, 1, -1));
  // Counter-clockwise on the page from (0,0) to (1,1), the short way: about the centre (1,0),
  // through the point at 135 degrees, where the two pieces meet.
  ASSERT_EQ(packed.size(), 3u);
  EXPECT_TRUE(Near(packed[1].p, 1 - std::sqrt(0.5), -std::sqrt(0.5), 1e-6));
  for (size_t i = 0; i + 1 < packed.size(); ++i) {
    for (double t = 0; t <= 1; t += 0.125) {
      const RealPoint p = svgtest::CurvePoint(packed[i], packed[i + 1], t);
      EXPECT_NEAR(std::hypot(p.h - 1.0, p.v), 1.0, 1e-4);
    }
  }
  // A zero radius is a straight line; equal ends leave the arc out.
  const auto line = PathsOf("M0 0 A0 5 0 0 1 10 0").at(0).segments;
  ASSERT_EQ(line.size(), 2u);
  EXPECT_TRUE(Exactly(line[0].out, 0, 0));
  EXPECT_EQ(PathsOf("M5 5 A3 3 0 1 1 5 5 L6 6").at(0).segments.size(), 2u);
}

TEST(PathData, ClosingMergesARepeatedLastPointAndOnlyThen) {
  const auto repeated = PathsOf("M0 0 L10 0 C10 5 5 10 0 0 Z").at(0);
  ASSERT_EQ(repeated.segments.size(), 2u);
  EXPECT_TRUE(repeated.closed);
  // The merged point's incoming handle is now the first anchor's.
  EXPECT_TRUE(Exactly(repeated.segments[0].in, 5, -10));
  EXPECT_TRUE(Exactly(repeated.segments[1].out, 10, -5));

  const auto open = PathsOf("M0 0 L10 0 L10 10 Z").at(0);
  ASSERT_EQ(open.segments.size(), 3u);
  EXPECT_TRUE(Exactly(open.segments[0].in, 0, 0));

  // Relative steps that come back to the start up to a rounding of the double still merge.
  EXPECT_EQ(PathsOf("m.1 .2 l.3 0 l0 .3 l-.3 -.3 z").at(0).segments.size(), 3u);
}

TEST(PathData, EachSubpathIsAPathAndDrawingAfterACloseStartsAtItsStart) {
  const auto paths = PathsOf("M0 0 L10 0 L10 10 Z l5 5 M20 20 L30 30 m5 5 M1 1");
  ASSERT_EQ(paths.size(), 3u);
  EXPECT_TRUE(paths[0].closed);
  ASSERT_EQ(paths[1].segments.size(), 2u);
  EXPECT_TRUE(Exactly(paths[1].segments[0].p, 0, 0));
  EXPECT_TRUE(Exactly(paths[1].segments[1].p, 5, -5));
  EXPECT_TRUE(Exactly(paths[2].segments[0].p, 20, -20));
  for (size_t i = 0; i < paths.size(); ++i) {
    EXPECT_EQ(paths[i].subpath, i);
    EXPECT_EQ(paths[i].element, 0u);
  }
  // A moveto alone draws nothing; closed, it is a point.
  const auto point = PathsOf("M7 7 Z");
  ASSERT_EQ(point.size(), 1u);
  EXPECT_EQ(point[0].segments.size(), 1u);
  EXPECT_TRUE(point[0].closed);
  EXPECT_TRUE(PathsOf("  ").empty());
}

TEST(PathData, AFaultIsNamedByItsCharacter) {
  const struct {
    const char* d;
    const char* message;
  } cases[] = {
      {"M 10", "expected a number at the end of 'd'"},
      {"L1 2", "expected 'M' or 'm' at character 1 of 'd'"},
      {"M1 2 X3", "unexpected 'X' at character 6 of 'd'"},
      {"M1 2 L3 4 Z 5", "expected a command at character 13 of 'd'"},
      {"M1 2 A1 1 0 2 0 3 3", "expected a flag (0 or 1) at character 13 of 'd'"},
      {"M1e999 0", "number out of range at character 2 of 'd'"},
      {"M1,,2", "expected a number at character 4 of 'd'"},
      {"M1 2,L3 4", "expected a number at character 6 of 'd'"},
      {"M1 2 L3 4e", "unexpected 'e' at character 10 of 'd'"},
      {"M1 2 L.", "expected a number at character 7 of 'd'"},
      {"M1 2 #", "expected a command at character 6 of 'd'"},
  };
  for (const auto& c : cases) {
    const std::string message = ErrorOf([&] { PathsOf(c.d); });
    EXPECT_NE(message.find(c.message), std::string::npos) << c.d << ": " << message;
  }
  // A number too small for a double is zero, not a fault.
  EXPECT_TRUE(Exactly(PathsOf("M1e-999 0 L1 1").at(0).segments[0].p, 0, 0));
}

}  // namespace
}  // namespace tavrix::svg
