// The host's artwork: path geometry, documents and preferences.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "host/artwork/Document.h"
#include "host/artwork/PathGeometry.h"
#include "host/artwork/PreferenceStore.h"

namespace tavrix::host {
namespace {

PathSegment Corner(float h, float v) {
  return PathSegment{{h, v}, {h, v}, {h, v}, 0};
}

std::vector<PathSegment> Square(float size, bool counterClockwise) {
  std::vector<PathSegment> s = {Corner(0, 0), Corner(size, 0), Corner(size, size), Corner(0, size)};
  if (!counterClockwise) std::reverse(s.begin(), s.end());
  return s;
}

// A circle of radius r from four cubic arcs with the usual handle length.
std::vector<PathSegment> Circle(float r) {
  const float k = r * 0.5522847498f;
  return {PathSegment{{r, 0}, {r, -k}, {r, k}, 0}, PathSegment{{0, r}, {k, r}, {-k, r}, 0},
          PathSegment{{-r, 0}, {-r, k}, {-r, -k}, 0}, PathSegment{{0, -r}, {-k, -r}, {k, -r}, 0}};
}

TEST(PathGeometry, AreaIsSignedByDirectionAndExactForCurves) {
  EXPECT_DOUBLE_EQ(PathArea(Square(72, true), true), 5184.0);
  EXPECT_DOUBLE_EQ(PathArea(Square(72, false), true), -5184.0);
  // The four-arc circle encloses slightly more than pi r^2.
  const double area = PathArea(Circle(100), true);
  EXPECT_NEAR(area / (M_PI * 100 * 100), 1.0, 0.0003);
  EXPECT_GT(area, M_PI * 100 * 100);
}

TEST(PathGeometry, AnOpenPathIsClosedByItsChordForArea) {
  std::vector<PathSegment> open = Square(10, true);
  EXPECT_DOUBLE_EQ(PathArea(open, false), 100.0);
  open.pop_back();  // a right triangle
  EXPECT_DOUBLE_EQ(PathArea(open, false), 50.0);
}

TEST(PathGeometry, AreaFarFromTheOriginKeepsItsDigits) {
  std::vector<PathSegment> square = Square(1, true);
  for (PathSegment& s : square) {
    for (RealPoint* p : {&s.p, &s.in, &s.out}) {
      p->h += 3000000;
      p->v -= 5000000;
    }
  }
  EXPECT_DOUBLE_EQ(PathArea(square, true), 1.0);
  // A straight line, open or closed, encloses nothing at all.
  const std::vector<PathSegment> line = {Corner(1e6f, 3), Corner(1e6f + 7, 3.5f),
                                         Corner(1e6f + 21, 4.5f)};
  EXPECT_EQ(PathArea(line, false), 0.0);
  EXPECT_EQ(PathArea(line, true), 0.0);
}

TEST(PathGeometry, LengthFollowsTheCurveNotItsControlPolygon) {
  EXPECT_NEAR(PathLength(Square(72, true), true), 288.0, 1e-9);
  EXPECT_NEAR(PathLength(Square(72, true), false), 216.0, 1e-9);
  EXPECT_NEAR(PathLength(Circle(100), true) / (2 * M_PI * 100), 1.0, 0.0005);
  EXPECT_EQ(PathLength({Corner(3, 4)}, true), 0.0);
}

// An independent measure: the curve's points joined by a million chords, in long double.
double ChordLength(const std::vector<PathSegment>& s, bool closed) {
  constexpr int kChords = 1 << 20;
  long double total = 0;
  const size_t curves = closed ? s.size() : s.size() - 1;
  for (size_t i = 0; i < curves; ++i) {
    const PathSegment& a = s[i];
    const PathSegment& b = s[(i + 1) % s.size()];
    auto at = [&](long double t, bool vertical) {
      auto c = [&](const RealPoint& p) { return static_cast<long double>(vertical ? p.v : p.h); };
      const long double u = 1 - t;
      return u * u * u * c(a.p) + 3 * u * u * t * c(a.out) + 3 * u * t * t * c(b.in) +
             t * t * t * c(b.p);
    };
    long double h = at(0, false), v = at(0, true);
    for (int k = 1; k <= kChords; ++k) {
      const long double t = static_cast<long double>(k) / kChords;
      const long double nh = at(t, false), nv = at(t, true);
      total += std::sqrt((nh - h) * (nh - h) + (nv - v) * (nv - v));
      h = nh;
      v = nv;
    }
  }
  return static_cast<double>(total);
}

PathSegment Anchor(float h, float v, float inH, float inV, float outH, float outV) {
  return PathSegment{{h, v}, {inH, inV}, {outH, outV}, 0};
}

TEST(PathGeometry, HandlesRunningPastTheEndsAlongTheChordAreMeasured) {
  // The handles lie on the line through the ends, so the curve looks straight but doubles back.
  const std::vector<PathSegment> overshoot = {Corner(0, 0), Anchor(100, 0, 200, 0, 100, 0)};
  EXPECT_NEAR(PathLength(overshoot, false), 156.0, 156.0 * 1e-9);
  const std::vector<PathSegment> backAndForth = {Anchor(0, 0, 0, 0, 300, 0),
                                                 Anchor(100, 0, -200, 0, 100, 0)};
  EXPECT_NEAR(PathLength(backAndForth, false), 300.0, 300.0 * 1e-9);
  // A loop out and back to where it started: 20 / sqrt(3).
  const std::vector<PathSegment> outAndBack = {Anchor(0, 0, 0, 0, 10, 0),
                                               Anchor(0, 0, -10, 0, 0, 0)};
  EXPECT_NEAR(PathLength(outAndBack, false), 20 / std::sqrt(3.0), 1e-9);
  for (const auto* path : {&overshoot, &backAndForth, &outAndBack}) {
    const double chords = ChordLength(*path, false);
    EXPECT_NEAR(PathLength(*path, false), chords, chords * 1e-9);
  }
}

TEST(PathGeometry, LengthAgreesWithAnIndependentMeasureOnAssortedCurves) {
  const std::vector<std::vector<PathSegment>> paths = {
      Circle(100),
      // A cusp: the handles cross.
      {Anchor(0, 0, 0, 0, 100, 100), Anchor(100, 0, 0, 100, 100, 0)},
      // A loop.
      {Anchor(0, 0, 0, 0, 150, 100), Anchor(50, 0, -100, 100, 50, 0)},
      // Long and shallow, then tiny.
      {Anchor(-20000, 5, 0, 0, -10000, 7), Anchor(20000, -3, 10000, 9, 0, 0),
       Anchor(20000.01f, -3, 20000.02f, -3.01f, 20000.01f, -3)},
      // One retracted handle, one long.
      {Anchor(0, 0, 0, 0, 0, 0), Anchor(10, 10, 500, -300, 10, 10)}};
  for (size_t i = 0; i < paths.size(); ++i) {
    for (bool closed : {false, true}) {
      const double chords = ChordLength(paths[i], closed);
      EXPECT_NEAR(PathLength(paths[i], closed), chords, chords * 1e-9)
          << "path " << i << (closed ? " closed" : " open");
    }
  }
}

TEST(PathGeometry, BoundsAreTheCurvesExtremesNotTheHandles) {
  // An arch whose handles reach 40 high: the curve itself peaks at 30.
  const std::vector<PathSegment> arch = {PathSegment{{0, 0}, {0, 0}, {0, 40}, 0},
                                         PathSegment{{100, 0}, {100, 40}, {100, 0}, 0}};
  const AIRealRect bounds = PathBounds(arch, false);
  EXPECT_FLOAT_EQ(bounds.left, 0.0f);
  EXPECT_FLOAT_EQ(bounds.right, 100.0f);
  EXPECT_FLOAT_EQ(bounds.bottom, 0.0f);
  EXPECT_FLOAT_EQ(bounds.top, 30.0f);
  const AIRealRect circle = PathBounds(Circle(50), true);
  EXPECT_NEAR(circle.top, 50.0f, 1e-4);
  EXPECT_NEAR(circle.left, -50.0f, 1e-4);
}

struct CountingListener final : DocumentListener {
  void ArtworkChanged() override { ++artwork; }
  void UnitsChanged() override { ++units; }
  int artwork = 0;
  int units = 0;
};

TEST(Document, RefusesPathsBeyondSixteenBitIndexes) {
  CountingListener listener;
  Document document(kAIPointRulerUnits, &listener, 1);
  EXPECT_NO_THROW(document.AddPath(std::vector<PathSegment>(32767, Corner(0, 0)), false));
  try {
    document.AddPath(std::vector<PathSegment>(32768, Corner(0, 0)), false);
    FAIL();
  } catch (const std::invalid_argument& error) {
    EXPECT_STREQ(error.what(), "a path holds at most 32767 anchors; this one has 32768");
  }
  EXPECT_EQ(document.paths().size(), 1u);
  EXPECT_THROW(document.AddPath({}, false), std::invalid_argument);
}

TEST(Document, EverySelectionChangeReplacesTheWholeSelectionAndIsTold) {
  CountingListener listener;
  Document document(kAIPointRulerUnits, &listener, 1);
  document.AddPath(Square(10, true), true);
  document.AddPath(Square(10, true), true);
  listener.artwork = 0;
  document.SelectPaths({0, 1});
  EXPECT_TRUE(document.paths()[1].IsSelected());
  document.SelectAnchor(1, 2);
  EXPECT_FALSE(document.paths()[0].IsSelected());
  EXPECT_EQ(document.paths()[1].selection, (std::vector<int16_t>{0, 0, 1, 0}));
  document.SelectHandle(0, 3);
  EXPECT_EQ(document.paths()[0].selection[3], kAIInHandleSelected);
  document.Deselect();
  EXPECT_FALSE(document.paths()[0].IsSelected());
  EXPECT_EQ(listener.artwork, 4);
  EXPECT_THROW(document.SelectAnchor(0, 4), std::out_of_range);
  EXPECT_THROW(document.SelectPaths({2}), std::out_of_range);
  document.SetRulerUnits(kAIMillimeterRulerUnits);
  EXPECT_EQ(listener.units, 1);
}

}  // namespace
}  // namespace tavrix::host
