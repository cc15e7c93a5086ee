// The stand-in host's path length, area and bounds against lib2geom's, on the paths of real SVG
// drawings: first how far each is from a high-order reference, then how long each takes.
// lib2geom's length is timed at the coarsest tolerance that still meets our accuracy target on
// every path, so the two are compared at the same accuracy.
#include <benchmark/benchmark.h>

#include <2geom/bezier-curve.h>
#include <2geom/path.h>
#include <2geom/sbasis-geometric.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "host/artwork/PathGeometry.h"
#include "host/svg/SvgDocument.h"

namespace {

using tavrix::host::PathArea;
using tavrix::host::PathBounds;
using tavrix::host::PathLength;

struct TestPath {
  std::vector<PathSegment> segments;
  bool closed;
};

constexpr double kLengthTarget = 1e-9;  // relative

std::vector<TestPath> LoadDrawings() {
  std::vector<TestPath> paths;
  for (const char* folder : {TAVRIX_EXAMPLES_DIR, TAVRIX_SVG_FIXTURES_DIR}) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      if (entry.path().extension() == ".svg") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
      try {
        const auto document = tavrix::svg::SvgDocument::Open(file.string());
        for (const auto& path : document.paths()) paths.push_back({path.segments, path.closed});
      } catch (const std::exception&) {
        // Fixtures that are bad on purpose have no paths to offer.
      }
    }
  }
  return paths;
}

const std::vector<TestPath>& Drawings() {
  static const std::vector<TestPath> paths = LoadDrawings();
  return paths;
}

template <class Visit>
void ForEachCurve(const TestPath& path, Visit&& visit) {
  const size_t n = path.segments.size();
  if (n < 2) return;
  for (size_t i = 0; i < (path.closed ? n : n - 1); ++i) {
    const PathSegment& a = path.segments[i];
    const PathSegment& b = path.segments[(i + 1) % n];
    visit(Geom::Point(a.p.h, a.p.v), Geom::Point(a.out.h, a.out.v), Geom::Point(b.in.h, b.in.v),
          Geom::Point(b.p.h, b.p.v));
  }
}

// The reference: adaptive Gauss-Legendre of order 10 in long double, each piece split until it
// agrees with its halves to 1e-12 of the control polygon.
struct Legendre {
  long double nodes[10];
  long double weights[10];
  Legendre() {
    constexpr int n = 10;
    const long double pi = 3.141592653589793238462643383279502884L;
    for (int i = 0; i < n; ++i) {
      long double x = std::cos(pi * (i + 0.75L) / (n + 0.5L)), derivative = 0;
      for (int iteration = 0; iteration < 100; ++iteration) {
        long double p0 = 1, p1 = x;
        for (int k = 2; k <= n; ++k) {
          const long double p2 = ((2 * k - 1) * x * p1 - (k - 1) * p0) / k;
          p0 = p1;
          p1 = p2;
        }
        derivative = n * (x * p1 - p0) / (x * x - 1);
        const long double step = p1 / derivative;
        x -= step;
        if (std::fabs(step) < 1e-19L) break;
      }
      nodes[i] = x;
      weights[i] = 2 / ((1 - x * x) * derivative * derivative);
    }
  }
};

long double SpeedAt(const Geom::Point (&c)[4], long double t) {
  const long double u = 1 - t;
  long double d[2];
  for (int k = 0; k < 2; ++k) {
    d[k] = 3 * u * u * (c[1][k] - c[0][k]) + 6 * u * t * (c[2][k] - c[1][k]) +
           3 * t * t * (c[3][k] - c[2][k]);
  }
  return std::sqrt(d[0] * d[0] + d[1] * d[1]);
}

long double GaussLegendre(const Geom::Point (&c)[4], long double a, long double b) {
  static const Legendre rule;
  const long double centre = (a + b) / 2, half = (b - a) / 2;
  long double sum = 0;
  for (int i = 0; i < 10; ++i) sum += rule.weights[i] * SpeedAt(c, centre + half * rule.nodes[i]);
  return sum * half;
}

long double ReferencePiece(const Geom::Point (&c)[4], long double a, long double b,
                           long double whole, long double tolerance, int depth) {
  const long double middle = (a + b) / 2;
  const long double left = GaussLegendre(c, a, middle), right = GaussLegendre(c, middle, b);
  if (std::fabs(left + right - whole) <= tolerance || depth > 60) return left + right;
  return ReferencePiece(c, a, middle, left, tolerance / 2, depth + 1) +
         ReferencePiece(c, middle, b, right, tolerance / 2, depth + 1);
}

double ReferenceLength(const TestPath& path) {
  long double total = 0;
  ForEachCurve(path, [&](Geom::Point p0, Geom::Point p1, Geom::Point p2, Geom::Point p3) {
    const Geom::Point c[4] = {p0, p1, p2, p3};
    const long double polygon =
        Geom::distance(p0, p1) + Geom::distance(p1, p2) + Geom::distance(p2, p3);
    if (polygon == 0) return;
    total += ReferencePiece(c, 0, 1, GaussLegendre(c, 0, 1), polygon * 1e-12L, 0);
  });
  return static_cast<double>(total);
}

double Lib2geomLength(const TestPath& path, double tolerance) {
  double total = 0;
  ForEachCurve(path, [&](Geom::Point p0, Geom::Point p1, Geom::Point p2, Geom::Point p3) {
    total += Geom::bezier_length(p0, p1, p2, p3, tolerance);
  });
  return total;
}

Geom::Path Lib2geomPath(const TestPath& path) {
  Geom::Path result(Geom::Point(path.segments[0].p.h, path.segments[0].p.v));
  ForEachCurve(path, [&](Geom::Point, Geom::Point p1, Geom::Point p2, Geom::Point p3) {
    result.appendNew<Geom::CubicBezier>(p1, p2, p3);
  });
  result.close(path.closed);
  return result;
}

double RelativeError(double value, double reference) {
  return reference == 0 ? std::fabs(value) : std::fabs(value - reference) / std::fabs(reference);
}

// The coarsest of lib2geom's tolerances, in steps of ten, that meets the target on every path.
double Lib2geomToleranceForTarget() {
  static const double tolerance = [] {
    double chosen = 1e-14;
    for (double t = 1e-2; t >= 1e-14; t /= 10) {
      bool met = true;
      for (const TestPath& path : Drawings()) {
        if (RelativeError(Lib2geomLength(path, t), ReferenceLength(path)) > kLengthTarget) {
          met = false;
          break;
        }
      }
      if (met) {
        chosen = t;
        break;
      }
    }
    return chosen;
  }();
  return tolerance;
}

void ReportAccuracy(benchmark::State& state, double worst) {
  state.counters["worst_relative_error"] = worst;
  state.counters["paths"] = static_cast<double>(Drawings().size());
}

void LengthTavrix(benchmark::State& state) {
  double worst = 0;
  for (const TestPath& path : Drawings())
    worst = std::max(worst,
                     RelativeError(PathLength(path.segments, path.closed), ReferenceLength(path)));
  for (auto _ : state) {
    for (const TestPath& path : Drawings())
      benchmark::DoNotOptimize(PathLength(path.segments, path.closed));
  }
  ReportAccuracy(state, worst);
}
BENCHMARK(LengthTavrix)->Unit(benchmark::kMicrosecond);

void LengthLib2geom(benchmark::State& state) {
  const double tolerance = Lib2geomToleranceForTarget();
  double worst = 0;
  for (const TestPath& path : Drawings())
    worst = std::max(worst, RelativeError(Lib2geomLength(path, tolerance), ReferenceLength(path)));
  for (auto _ : state) {
    for (const TestPath& path : Drawings())
      benchmark::DoNotOptimize(Lib2geomLength(path, tolerance));
  }
  ReportAccuracy(state, worst);
  state.counters["tolerance"] = tolerance;
}
BENCHMARK(LengthLib2geom)->Unit(benchmark::kMicrosecond);

// The area closes an open path with a straight line, as both do.
long double ReferenceArea(const TestPath& path) {
  // Green's theorem on each cubic, exactly, in long double: the integrand has degree five, so
  // ten-point Gauss-Legendre is exact.
  static const Legendre rule;
  long double area = 0;
  ForEachCurve(path, [&](Geom::Point p0, Geom::Point p1, Geom::Point p2, Geom::Point p3) {
    for (int i = 0; i < 10; ++i) {
      const long double t = (rule.nodes[i] + 1) / 2, u = 1 - t;
      long double p[2], d[2];
      for (int k = 0; k < 2; ++k) {
        p[k] =
            u * u * u * p0[k] + 3 * u * u * t * p1[k] + 3 * u * t * t * p2[k] + t * t * t * p3[k];
        d[k] =
            3 * u * u * (p1[k] - p0[k]) + 6 * u * t * (p2[k] - p1[k]) + 3 * t * t * (p3[k] - p2[k]);
      }
      area += rule.weights[i] / 2 * (p[0] * d[1] - p[1] * d[0]) / 2;
    }
  });
  if (!path.closed && path.segments.size() > 1) {
    const PathSegment& last = path.segments.back();
    const PathSegment& first = path.segments.front();
    area += (static_cast<long double>(last.p.h) * first.p.v -
             static_cast<long double>(first.p.h) * last.p.v) /
            2;
  }
  return area;
}

// How far the value is from the reference, in units of the last place of the float the host
// answers with: within half of one, the float answered is the nearest to the truth. An area
// that cancels to nothing (a straight line) is measured against the square of its size.
double FloatUlps(double value, long double reference, const TestPath& path) {
  const AIRealRect box = PathBounds(path.segments, path.closed);
  const float size = std::max(box.right - box.left, box.top - box.bottom);
  const float scale = std::max(std::fabs(static_cast<float>(reference)), size * size * 1e-7f);
  const float ulp = std::nextafter(scale, INFINITY) - scale;
  return static_cast<double>(std::fabs(static_cast<long double>(value) - reference) / ulp);
}

void AreaTavrix(benchmark::State& state) {
  double worst = 0;
  for (const TestPath& path : Drawings()) {
    const double u = FloatUlps(PathArea(path.segments, path.closed), ReferenceArea(path), path);
    worst = std::max(worst, u);
  }
  for (auto _ : state) {
    for (const TestPath& path : Drawings())
      benchmark::DoNotOptimize(PathArea(path.segments, path.closed));
  }
  state.counters["worst_float_ulps"] = worst;
}
BENCHMARK(AreaTavrix)->Unit(benchmark::kMicrosecond);

void AreaLib2geom(benchmark::State& state) {
  std::vector<Geom::Piecewise<Geom::D2<Geom::SBasis>>> pieces;
  for (const TestPath& path : Drawings()) {
    TestPath closedPath = path;
    closedPath.closed = true;  // lib2geom's centroid closes the outline itself
    pieces.push_back(Lib2geomPath(closedPath).toPwSb());
  }
  double worst = 0;
  for (size_t i = 0; i < pieces.size(); ++i) {
    Geom::Point centre;
    double area = 0;
    Geom::centroid(pieces[i], centre, area);
    worst = std::max(
        worst, FloatUlps(std::fabs(area), std::fabs(ReferenceArea(Drawings()[i])), Drawings()[i]));
  }
  for (auto _ : state) {
    for (const auto& piece : pieces) {
      Geom::Point centre;
      double area = 0;
      Geom::centroid(piece, centre, area);
      benchmark::DoNotOptimize(area);
    }
  }
  state.counters["worst_float_ulps"] = worst;
}
BENCHMARK(AreaLib2geom)->Unit(benchmark::kMicrosecond);

void BoundsTavrix(benchmark::State& state) {
  int misses = 0;
  for (const TestPath& path : Drawings()) {
    const AIRealRect ours = PathBounds(path.segments, path.closed);
    const Geom::OptRect theirs = Lib2geomPath(path).boundsExact();
    if (!theirs || ours.left != static_cast<float>(theirs->left()) ||
        ours.right != static_cast<float>(theirs->right()) ||
        ours.bottom != static_cast<float>(theirs->top()) ||
        ours.top != static_cast<float>(theirs->bottom())) {
      ++misses;
    }
  }
  for (auto _ : state) {
    for (const TestPath& path : Drawings())
      benchmark::DoNotOptimize(PathBounds(path.segments, path.closed));
  }
  state.counters["differ_from_lib2geom"] = misses;
}
BENCHMARK(BoundsTavrix)->Unit(benchmark::kMicrosecond);

void BoundsLib2geom(benchmark::State& state) {
  std::vector<Geom::Path> paths;
  for (const TestPath& path : Drawings()) paths.push_back(Lib2geomPath(path));
  for (auto _ : state) {
    for (const Geom::Path& path : paths) benchmark::DoNotOptimize(path.boundsExact());
  }
}
BENCHMARK(BoundsLib2geom)->Unit(benchmark::kMicrosecond);

}  // namespace
