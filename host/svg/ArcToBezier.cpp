#include "host/svg/ArcToBezier.h"

#include <algorithm>
#include <cmath>

namespace tavrix::svg {
namespace {

// The largest distance between the unit circle and the usual cubic for an arc of `angle`
// radians (handles 4/3 tan(angle/4) long).
double UnitCircleError(double angle) {
  const double s = std::sin(angle / 4), c = std::cos(angle / 4);
  return 2 * std::pow(s, 6) / (27 * c * c);
}

int PieceCount(double sweep, double radius) {
  const double magnitude = std::fabs(sweep);
  if (!std::isfinite(magnitude) || !std::isfinite(radius)) return 1;
  int count = std::max(1, static_cast<int>(std::ceil(magnitude / (M_PI / 2) - 1e-12)));
  // A float keeps about seven digits: asking for more than that of a huge arc only adds anchors.
  const double tolerance = std::max(kArcTolerance, radius * 1e-7);
  while (count < 4096 && radius * UnitCircleError(magnitude / count) > tolerance) ++count;
  return count;
}

}  // namespace

std::vector<BezierPiece> CenterArcToBezier(Point center, double rx, double ry, double rotation,
                                           double start, double sweep, Point end, double scale) {
  const double cosR = std::cos(rotation), sinR = std::sin(rotation);
  auto place = [&](double ux, double uy) {
    const double x = rx * ux, y = ry * uy;
    return Point{center.x + cosR * x - sinR * y, center.y + sinR * x + cosR * y};
  };
  const int count = PieceCount(sweep, std::max(rx, ry) * scale);
  const double step = sweep / count;
  const double k = 4.0 / 3.0 * std::tan(step / 4);
  std::vector<BezierPiece> pieces;
  pieces.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    const double a = start + step * i, b = a + step;
    const double ca = std::cos(a), sa = std::sin(a), cb = std::cos(b), sb = std::sin(b);
    pieces.push_back(BezierPiece{place(ca - k * sa, sa + k * ca), place(cb + k * sb, sb - k * cb),
                                 i + 1 == count ? end : place(cb, sb)});
  }
  return pieces;
}

EndpointArc EndpointArcToBezier(Point from, double rx, double ry, double rotationDegrees,
                                bool largeArc, bool sweep, Point to, double scale) {
  if (from.x == to.x && from.y == to.y) return {EndpointArc::Kind::Omitted, {}};
  rx = std::fabs(rx);
  ry = std::fabs(ry);
  if (rx == 0 || ry == 0) return {EndpointArc::Kind::Line, {}};

  const double rotation = std::fmod(rotationDegrees, 360.0) * M_PI / 180.0;
  const double cosR = std::cos(rotation), sinR = std::sin(rotation);
  // The midpoint between the ends, in the ellipse's own axes.
  const double hx = (from.x - to.x) / 2, hy = (from.y - to.y) / 2;
  const double x1 = cosR * hx + sinR * hy;
  const double y1 = -sinR * hx + cosR * hy;
  // In the ellipse's axes with y scaled by rx / ry it is a circle of radius rx; d is half the
  // distance between the ends there. Radii too small to reach from one end to the other grow
  // until they just do.
  const double ratio = ry / rx;
  const double y1Circle = y1 / ratio;
  const double d = std::hypot(x1, y1Circle);
  if (d == 0) return {EndpointArc::Kind::Omitted, {}};
  if (d > rx) {
    rx = d;
    ry = d * ratio;
  }
  const double reach = (d / rx) * (d / rx);
  const double factor =
      std::sqrt(std::max(0.0, (1 - reach) / reach)) * (largeArc != sweep ? 1 : -1);
  const double cx1 = factor * y1Circle;
  const double cy1 = -factor * ratio * x1;
  const Point center{cosR * cx1 - sinR * cy1 + (from.x + to.x) / 2,
                     sinR * cx1 + cosR * cy1 + (from.y + to.y) / 2};

  const double start = std::atan2((y1 - cy1) / ry, (x1 - cx1) / rx);
  const double finish = std::atan2((-y1 - cy1) / ry, (-x1 - cx1) / rx);
  double span = finish - start;
  if (sweep && span < 0) span += 2 * M_PI;
  if (!sweep && span > 0) span -= 2 * M_PI;
  return {EndpointArc::Kind::Curves,
          CenterArcToBezier(center, rx, ry, rotation, start, span, to, scale)};
}

}  // namespace tavrix::svg
