// The basic shapes as paths, by SVG's rules for each: where they start, which way they run,
// rounded corners, units and percentages, and the attributes that are at fault.
#include <gtest/gtest.h>

#include "SvgTestSupport.h"

namespace tavrix::svg {
namespace {

using svgtest::ErrorOf;
using svgtest::Exactly;
using svgtest::FromText;
using svgtest::Near;

std::vector<SvgPath> Shape(const std::string& element) {
  return FromText("<svg viewBox='0 0 200 100'>" + element + "</svg>").paths();
}

bool HasAnchor(const SvgPath& path, float h, float v) {
  for (const PathSegment& s : path.segments) {
    if (s.p.h == h && s.p.v == v) return true;
  }
  return false;
}

// Every sampled point of every curve is on the ellipse (artwork coordinates) within what four
// quarter curves allow: 0.03% of the radius.
void ExpectOnEllipse(const SvgPath& path, double cx, double cy, double rx, double ry) {
  const auto& s = path.segments;
  for (size_t i = 0; i < s.size(); ++i) {
    const PathSegment& next = s[(i + 1) % s.size()];
    for (double t = 0; t <= 1; t += 1.0 / 32) {
      const RealPoint p = svgtest::CurvePoint(s[i], next, t);
      const double u = (p.h - cx) / rx, v = (p.v - cy) / ry;
      EXPECT_LE(std::fabs(std::hypot(u, v) - 1), 2.8e-4) << "curve " << i << " at " << t;
    }
  }
}

TEST(Shapes, ARectRunsClockwiseOnThePageFromItsCorner) {
  const auto paths = Shape("<rect x='10' y='20' width='30' height='40'/>");
  ASSERT_EQ(paths.size(), 1u);
  const auto& s = paths[0].segments;
  ASSERT_EQ(s.size(), 4u);
  EXPECT_TRUE(paths[0].closed);
  EXPECT_TRUE(Exactly(s[0].p, 10, -20));
  EXPECT_TRUE(Exactly(s[1].p, 40, -20));
  EXPECT_TRUE(Exactly(s[2].p, 40, -60));
  EXPECT_TRUE(Exactly(s[3].p, 10, -60));
  for (const PathSegment& anchor : s) EXPECT_EQ(anchor.corner, 1);
}

TEST(Shapes, RoundedCornersFollowTheAutoAndClampingRules) {
  // Only rx: ry takes it. Corners are quarter ellipses joined smoothly to the sides.
  const auto both = Shape("<rect width='100' height='50' rx='10'/>").at(0);
  const auto& s = both.segments;
  EXPECT_TRUE(Exactly(s[0].p, 10, 0));
  EXPECT_TRUE(Exactly(s[1].p, 90, 0));
  for (auto [h, v] :
       {std::pair{100.0f, -10.0f}, {100, -40}, {90, -50}, {10, -50}, {0, -40}, {0, -10}}) {
    EXPECT_TRUE(HasAnchor(both, h, v)) << h << ", " << v;
  }
  EXPECT_TRUE(Exactly(s[0].in, s[0].in.h, 0));  // the incoming handle lies along the top side
  EXPECT_TRUE(both.closed);
  // The last corner's arc ends at the start, which takes its handle: no extra anchor.
  EXPECT_LT(s[0].in.h, 10);

  // Too large a radius is halved to the side; equal ry and rx = w/2 leave no straight top.
  const auto clamped = Shape("<rect width='100' height='50' rx='80' ry='auto'/>").at(0);
  ExpectOnEllipse(clamped, 50, -25, 50, 25);
  // Only ry given: rx takes it, both then clamped on their own sides.
  const auto fromRy = Shape("<rect width='100' height='50' ry='40'/>").at(0);
  EXPECT_TRUE(Exactly(fromRy.segments[0].p, 40, 0));
  EXPECT_TRUE(Exactly(fromRy.segments[1].p, 60, 0));
  EXPECT_TRUE(HasAnchor(fromRy, 100, -25));
  EXPECT_FALSE(HasAnchor(fromRy, 100, -40));
  // A zero radius makes square corners.
  EXPECT_EQ(Shape("<rect width='100' height='50' rx='0' ry='20'/>").at(0).segments.size(), 4u);
}

TEST(Shapes, CirclesAndEllipsesStartAtTheRightAndStayOnTheCurve) {
  const auto circle = Shape("<circle cx='50' cy='50' r='40'/>").at(0);
  EXPECT_TRUE(circle.closed);
  EXPECT_TRUE(Exactly(circle.segments[0].p, 90, -50));
  ExpectOnEllipse(circle, 50, -50, 40, 40);
  // Four anchors, clockwise on the page: the bottom comes next after the rightmost point.
  ASSERT_EQ(circle.segments.size(), 4u);
  EXPECT_TRUE(Exactly(circle.segments[1].p, 50, -90));
  EXPECT_TRUE(Exactly(circle.segments[1].in, 50 + 40 * 0.5522847498f, -90));
  for (const PathSegment& anchor : circle.segments) EXPECT_EQ(anchor.corner, 0);

  const auto ellipse = Shape("<ellipse cx='100' cy='50' rx='80' ry='auto'/>").at(0);
  ExpectOnEllipse(ellipse, 100, -50, 80, 80);
  const auto flat = Shape("<ellipse cx='100' cy='50' rx='80' ry='5'/>").at(0);
  ExpectOnEllipse(flat, 100, -50, 80, 5);
  EXPECT_TRUE(Shape("<circle r='0'/><ellipse rx='3'/><ellipse rx='3' ry='0'/>").size() == 1u);
}

TEST(Shapes, LinesPolylinesAndPolygons) {
  const auto line = Shape("<line x1='1' y1='2' x2='3' y2='4'/>").at(0);
  ASSERT_EQ(line.segments.size(), 2u);
  EXPECT_FALSE(line.closed);
  EXPECT_TRUE(Exactly(line.segments[1].p, 3, -4));

  const auto polyline = Shape("<polyline points=' 0,0 10 0,10-10 '/>").at(0);
  ASSERT_EQ(polyline.segments.size(), 3u);
  EXPECT_FALSE(polyline.closed);
  EXPECT_TRUE(Exactly(polyline.segments[2].p, 10, 10));

  // A polygon repeating its first point closes onto it.
  const auto repeated = Shape("<polygon points='0 0 10 0 10 10 0 0'/>").at(0);
  EXPECT_EQ(repeated.segments.size(), 3u);
  EXPECT_TRUE(repeated.closed);
  EXPECT_EQ(Shape("<polygon points='0 0 10 0 10 10'/>").at(0).segments.size(), 3u);
  EXPECT_TRUE(Shape("<polyline points='5 5'/><polygon points=''/>").empty());
}

TEST(Shapes, UnitsAndPercentages) {
  const auto inches = Shape("<rect x='1in' y='72pt' width='2.54cm' height='10mm'/>").at(0);
  EXPECT_TRUE(Near(inches.segments[0].p, 96, -96));
  EXPECT_TRUE(Near(inches.segments[2].p, 192, -96 - 960 / 25.4));
  // Percentages of the viewBox: x of its width, y of its height.
  const auto percent = Shape("<rect x='10%' y='10%' width='50%' height='50%'/>").at(0);
  EXPECT_TRUE(Near(percent.segments[0].p, 20, -10));
  EXPECT_TRUE(Near(percent.segments[2].p, 120, -60));
  // Without a viewBox, the root's width and height.
  const auto sized = FromText("<svg width='2in' height='100'><circle cx='50%' r='1'/></svg>");
  EXPECT_TRUE(Near(sized.paths().at(0).segments[0].p, 97, 0));
}

// A root sized to its window, as many programs write it: the file opens, its shapes are read in
// user units, and only a percentage of such a root is refused, by name.
TEST(Shapes, ARootSizedInPercentOpens) {
  for (const char* size : {"width='100%' height='100%'", "width='100%'", "height='100%'",
                           "width='100%' height='300'", "width='50mm' height='100%'"}) {
    SCOPED_TRACE(size);
    const SvgDocument document = FromText(std::string("<svg ") + size +
                                          "><path d='M10 20 L30 40'/>"
                                          "<rect x='1' y='2' width='3mm' height='4'/></svg>");
    ASSERT_EQ(document.paths().size(), 2u);
    EXPECT_TRUE(Exactly(document.paths()[0].segments[0].p, 10, -20));
    EXPECT_TRUE(Exactly(document.paths()[0].segments[1].p, 30, -40));
    EXPECT_TRUE(Near(document.paths()[1].segments[2].p, 1 + 3 * 96 / 25.4, -6));
    const std::string percent =
        ErrorOf([&] { FromText(std::string("<svg ") + size + "><circle cx='50%' r='1'/></svg>"); });
    EXPECT_NE(percent.find("<circle>: 'cx' is a percentage, but the root <svg> has no viewBox"),
              std::string::npos)
        << percent;
  }
  // A viewBox gives percentages what they are taken of, whatever the root's size says.
  const auto boxed = FromText(
      "<svg width='100%' height='100%' viewBox='0 0 40 20'><circle cx='50%' r='1'/></svg>");
  EXPECT_TRUE(Near(boxed.paths().at(0).segments[0].p, 21, 0));
}

TEST(Shapes, BadAttributesAreNamed) {
  const struct {
    const char* element;
    const char* message;
  } cases[] = {
      {"<rect width='-5' height='5'/>", "'width' is negative: -5"},
      {"<circle r='-1'/>", "'r' is negative"},
      {"<rect width='5' height='5' rx='-1'/>", "'rx' is negative"},
      {"<rect width='5x' height='5'/>", "'width' has the unit 'x'"},
      {"<rect width='2em' height='5'/>", "'width' has the unit 'em'"},
      {"<rect width='5 5' height='5'/>",
       "expected a length such as 12 or 3mm at character 3 of 'width'"},
      {"<line x1=''/>", "expected a number at the end of 'x1'"},
      {"<polygon points='1 2 3'/>", "expected a number at the end of 'points'"},
      {"<polyline points='1 2,'/>", "expected a number at the end of 'points'"},
      {"<polyline points='1 2 3 x'/>", "expected a number at character 7 of 'points'"},
  };
  for (const auto& c : cases) {
    const std::string message = ErrorOf([&] { Shape(c.element); });
    EXPECT_NE(message.find(c.message), std::string::npos) << c.element << ": " << message;
  }
  const std::string noViewport =
      ErrorOf([] { FromText("<svg><rect width='50%' height='5'/></svg>"); });
  EXPECT_NE(noViewport.find("'width' is a percentage, but the root <svg> has no viewBox"),
            std::string::npos)
      << noViewport;
}

}  // namespace
}  // namespace tavrix::svg
