#include "host/artwork/PathGeometry.h"

#include "host/artwork/CurveLength.h"

#include <algorithm>
#include <cmath>

namespace tavrix::host {
namespace {

struct P {
  double h;
  double v;
};

P Of(const RealPoint& r) {
  return P{r.h, r.v};
}
struct Curve {
  P p0, p1, p2, p3;
};

// The curves of the path, in order: each anchor to the next, and the last back to the first
// when the path is closed.
template <class Visit>
void ForEachCurve(const std::vector<PathSegment>& s, bool closed, Visit&& visit) {
  const size_t n = s.size();
  if (n < 2) return;
  const size_t count = closed ? n : n - 1;
  for (size_t i = 0; i < count; ++i) {
    const PathSegment& a = s[i];
    const PathSegment& b = s[(i + 1) % n];
    visit(Curve{Of(a.p), Of(a.out), Of(b.in), Of(b.p)});
  }
}

P PointAt(const Curve& c, double t) {
  const double u = 1 - t;
  const double a = u * u * u, b = 3 * u * u * t, d = 3 * u * t * t, e = t * t * t;
  return P{a * c.p0.h + b * c.p1.h + d * c.p2.h + e * c.p3.h,
           a * c.p0.v + b * c.p1.v + d * c.p2.v + e * c.p3.v};
}

double Cross(P a, P b) {
  return a.h * b.v - a.v * b.h;
}

// Half the integral of (h v' - v h') over the curve, in closed form: whole-number weights of the
// control points' cross products, so a straight segment gives exactly half its own cross
// product and collinear points exactly nothing.
double AreaUnder(const Curve& c) {
  return (6 * Cross(c.p0, c.p1) + 3 * Cross(c.p0, c.p2) + Cross(c.p0, c.p3) +
          3 * Cross(c.p1, c.p2) + 3 * Cross(c.p1, c.p3) + 6 * Cross(c.p2, c.p3)) /
         20;
}

// Parameters in (0, 1) where one coordinate of the curve turns.
std::vector<double> Turns(double a, double b, double c, double d) {
  // The derivative of the cubic in Bernstein form, as q2 t^2 + q1 t + q0.
  const double q2 = 3 * (-a + 3 * b - 3 * c + d);
  const double q1 = 6 * (a - 2 * b + c);
  const double q0 = 3 * (b - a);
  std::vector<double> roots;
  if (std::fabs(q2) < 1e-12) {
    if (std::fabs(q1) > 1e-12) roots.push_back(-q0 / q1);
  } else {
    const double disc = q1 * q1 - 4 * q2 * q0;
    if (disc >= 0) {
      const double r = std::sqrt(disc);
      roots.push_back((-q1 + r) / (2 * q2));
      roots.push_back((-q1 - r) / (2 * q2));
    }
  }
  roots.erase(
      std::remove_if(roots.begin(), roots.end(), [](double t) { return !(t > 0 && t < 1); }),
      roots.end());
  return roots;
}

}  // namespace

double PathLength(const std::vector<PathSegment>& segments, bool closed) {
  double length = 0.0;
  ForEachCurve(segments, closed, [&](const Curve& c) {
    length +=
        CurveLength(CurvePoints{c.p0.h, c.p0.v, c.p1.h, c.p1.v, c.p2.h, c.p2.v, c.p3.h, c.p3.v});
  });
  return length;
}

double PathArea(const std::vector<PathSegment>& segments, bool closed) {
  if (segments.empty()) return 0.0;
  // Measured from the first anchor, which changes no area but keeps far-off coordinates from
  // cancelling each other's digits: a straight line comes out as exactly nothing.
  const P origin = Of(segments.front().p);
  auto local = [&](P p) { return P{p.h - origin.h, p.v - origin.v}; };
  double area = 0.0;
  ForEachCurve(segments, closed, [&](const Curve& c) {
    area += AreaUnder(Curve{local(c.p0), local(c.p1), local(c.p2), local(c.p3)});
  });
  // An open path is closed by the chord back to the first anchor, which is the origin here and
  // so adds nothing.
  return area;
}

AIRealRect PathBounds(const std::vector<PathSegment>& segments, bool closed) {
  if (segments.empty()) return AIRealRect{0, 0, 0, 0};
  double left = segments[0].p.h, right = left, bottom = segments[0].p.v, top = bottom;
  auto include = [&](P p) {
    left = std::min(left, p.h);
    right = std::max(right, p.h);
    bottom = std::min(bottom, p.v);
    top = std::max(top, p.v);
  };
  for (const PathSegment& s : segments) include(Of(s.p));
  ForEachCurve(segments, closed, [&](const Curve& c) {
    for (double t : Turns(c.p0.h, c.p1.h, c.p2.h, c.p3.h)) include(PointAt(c, t));
    for (double t : Turns(c.p0.v, c.p1.v, c.p2.v, c.p3.v)) include(PointAt(c, t));
  });
  return AIRealRect{static_cast<float>(left), static_cast<float>(top), static_cast<float>(right),
                    static_cast<float>(bottom)};
}

}  // namespace tavrix::host
