// Arcs as cubic curves: on the true ellipse to within the tolerance, the way the flags say, and
// by SVG's rules for radii that do not fit.
#include "host/svg/ArcToBezier.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tavrix::svg {
namespace {

Point At(Point a, const BezierPiece& piece, double t) {
  const double u = 1 - t;
  const double w0 = u * u * u, w1 = 3 * u * u * t, w2 = 3 * u * t * t, w3 = t * t * t;
  return Point{w0 * a.x + w1 * piece.c1.x + w2 * piece.c2.x + w3 * piece.end.x,
               w0 * a.y + w1 * piece.c1.y + w2 * piece.c2.y + w3 * piece.end.y};
}

struct Ellipse {
  Point center;
  double rx, ry, rotation;  // radians
};

// An upper bound of the distance from p to the ellipse: how far p is from where the ray from the
// centre meets it, measured in the ellipse's own scaled axes.
double DistanceFrom(const Ellipse& e, Point p) {
  const double dx = p.x - e.center.x, dy = p.y - e.center.y;
  const double c = std::cos(e.rotation), s = std::sin(e.rotation);
  const double u = (c * dx + s * dy) / e.rx, v = (-s * dx + c * dy) / e.ry;
  return std::fabs(std::hypot(u, v) - 1) * std::max(e.rx, e.ry);
}

// The largest distance from the pieces to the ellipse, and the largest turn of one piece.
void Measure(Point from, const std::vector<BezierPiece>& pieces, const Ellipse& e,
             double& worstDistance, double& widestPiece) {
  worstDistance = widestPiece = 0;
  Point start = from;
  for (const BezierPiece& piece : pieces) {
    for (int k = 0; k <= 64; ++k) {
      worstDistance = std::max(worstDistance, DistanceFrom(e, At(start, piece, k / 64.0)));
    }
    const double a = std::atan2(start.y - e.center.y, start.x - e.center.x);
    const double b = std::atan2(piece.end.y - e.center.y, piece.end.x - e.center.x);
    widestPiece = std::max(widestPiece, std::fabs(std::remainder(b - a, 2 * M_PI)));
    start = piece.end;
  }
}

TEST(ArcToBezier, PiecesLieOnTheTrueEllipseWithinTheTolerance) {
  for (double radius : {0.5, 10.0, 300.0, 1000.0}) {
    for (double rotation : {0.0, 30.0, -75.0}) {
      const Ellipse e{{radius, 0}, radius, radius / 2, rotation * M_PI / 180};
      // Two points of that ellipse, so that no radius grows.
      auto onIt = [&](double angle) {
        const double c = std::cos(e.rotation), s = std::sin(e.rotation);
        const double x = e.rx * std::cos(angle), y = e.ry * std::sin(angle);
        return Point{e.center.x + c * x - s * y, e.center.y + s * x + c * y};
      };
      const Point from = onIt(0.3), to = onIt(2.9);
      const EndpointArc arc = EndpointArcToBezier(from, e.rx, e.ry, rotation, false, true, to, 1.0);
      ASSERT_EQ(arc.kind, EndpointArc::Kind::Curves);
      double worst, widest;
      Measure(from, arc.pieces, e, worst, widest);
      EXPECT_LE(worst, kArcTolerance) << "radius " << radius << " rotation " << rotation;
      EXPECT_EQ(arc.pieces.back().end.x, to.x);
      EXPECT_EQ(arc.pieces.back().end.y, to.y);
    }
  }
}

TEST(ArcToBezier, NoPieceTurnsMoreThanAQuarterAndTheTransformScaleRefinesThem) {
  const Ellipse circle{{0, 0}, 0.01, 0.01, 0};
  const double sweep = 2 * M_PI - 0.01;
  const Point end{0.01 * std::cos(sweep), 0.01 * std::sin(sweep)};
  const std::vector<BezierPiece> tiny = CenterArcToBezier({0, 0}, 0.01, 0.01, 0, 0, sweep, end, 1);
  double worst, widest;
  Measure({0.01, 0}, tiny, circle, worst, widest);
  EXPECT_EQ(tiny.size(), 4u);
  EXPECT_LE(widest, M_PI / 2 + 1e-9);
  // The same arc drawn 100000 times larger needs more pieces to stay as close.
  const std::vector<BezierPiece> scaled =
      CenterArcToBezier({0, 0}, 0.01, 0.01, 0, 0, sweep, end, 1e5);
  EXPECT_GT(scaled.size(), tiny.size());
  Measure({0.01, 0}, scaled, circle, worst, widest);
  EXPECT_LE(worst * 1e5, kArcTolerance);
}

TEST(ArcToBezier, FlagsChooseOneOfFourArcs) {
  // Radius 50 from (0,0) to (50,50): centres (50,0) and (0,50); each arc's middle tells which.
  struct Case {
    bool large, sweep;
    Point center;
    double middleAngle;  // of the arc's middle, about its centre
  };
  const Case cases[] = {{false, true, {0, 50}, -M_PI / 4},
                        {false, false, {50, 0}, 3 * M_PI / 4},
                        {true, false, {0, 50}, 3 * M_PI / 4},
                        {true, true, {50, 0}, -M_PI / 4}};
  for (const Case& c : cases) {
    const EndpointArc arc = EndpointArcToBezier({0, 0}, 50, 50, 0, c.large, c.sweep, {50, 50}, 1);
    double worst, widest;
    Measure({0, 0}, arc.pieces, Ellipse{c.center, 50, 50, 0}, worst, widest);
    EXPECT_LE(worst, kArcTolerance) << c.large << c.sweep;
    // Equal pieces: the middle of the arc is where the middle piece ends or begins.
    const size_t n = arc.pieces.size();
    const Point middle =
        n % 2 == 0 ? arc.pieces[n / 2 - 1].end
                   : At(n == 1 ? Point{0, 0} : arc.pieces[n / 2 - 1].end, arc.pieces[n / 2], 0.5);
    EXPECT_NEAR(middle.x, c.center.x + 50 * std::cos(c.middleAngle), 1e-3) << c.large << c.sweep;
    EXPECT_NEAR(middle.y, c.center.y + 50 * std::sin(c.middleAngle), 1e-3) << c.large << c.sweep;
  }
}

TEST(ArcToBezier, RadiiTooSmallGrowNegativeOnesTurnPositiveAndDegenerateOnesAreNoArc) {
  // Radius 1 cannot span 100: it grows to 50, a half circle over (50,0) through (50,-50).
  for (double r : {1.0, -1.0}) {
    const EndpointArc arc = EndpointArcToBezier({0, 0}, r, r, 0, false, true, {100, 0}, 1);
    double worst, widest;
    Measure({0, 0}, arc.pieces, Ellipse{{50, 0}, 50, 50, 0}, worst, widest);
    EXPECT_LE(worst, kArcTolerance);
    // With the sweep flag set it runs through positive angles: over the top, y < 0.
    for (const BezierPiece& piece : arc.pieces) EXPECT_LE(piece.end.y, 1e-9);
  }
  // Grown with its proportions: an ellipse of radii 2:1 along a rotated axis.
  const EndpointArc rotated = EndpointArcToBezier({0, 0}, 2, 1, 90, true, false, {0, 100}, 1);
  double worst, widest;
  Measure({0, 0}, rotated.pieces, Ellipse{{0, 50}, 50, 25, M_PI / 2}, worst, widest);
  EXPECT_LE(worst, kArcTolerance);

  EXPECT_EQ(EndpointArcToBezier({3, 4}, 5, 5, 0, true, true, {3, 4}, 1).kind,
            EndpointArc::Kind::Omitted);
  EXPECT_EQ(EndpointArcToBezier({3, 4}, 0, 5, 0, true, true, {9, 4}, 1).kind,
            EndpointArc::Kind::Line);
  EXPECT_EQ(EndpointArcToBezier({3, 4}, 5, 0, 0, true, true, {9, 4}, 1).kind,
            EndpointArc::Kind::Line);
}

}  // namespace
}  // namespace tavrix::svg
