// Elliptical arcs as cubic Bezier curves, close enough to the true arc that the difference is
// below what a person can edit: pieces of at most 90 degrees, more where the arc is large.
#pragma once

#include <vector>

namespace tavrix::svg {

struct Point {
  double x, y;
};

struct BezierPiece {
  Point c1, c2, end;
};

// The largest distance, in artwork points, between a piece and the true arc.
inline constexpr double kArcTolerance = 1e-4;

// An arc of the ellipse centred at `center` with radii rx and ry whose x axis is turned by
// `rotation` radians, from angle `start` through `sweep` (radians, positive from x towards y).
// The last piece ends exactly at `end`, the arc's end point as given. `scale` is how much the
// element's transform stretches lengths: the tolerance holds in the artwork.
std::vector<BezierPiece> CenterArcToBezier(Point center, double rx, double ry, double rotation,
                                           double start, double sweep, Point end, double scale);

// An SVG arc command from `from` to `to`, by the rules for out-of-range parameters: radii too
// small for the end points are scaled up, negative radii taken as positive. Its kind says
// whether it is omitted (end points equal), a straight line (a zero radius) or curves.
struct EndpointArc {
  enum class Kind { Omitted, Line, Curves } kind;
  std::vector<BezierPiece> pieces;
};
EndpointArc EndpointArcToBezier(Point from, double rx, double ry, double rotationDegrees,
                                bool largeArc, bool sweep, Point to, double scale);

}  // namespace tavrix::svg
