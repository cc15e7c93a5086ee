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

TEST(PathGeometry, LengthFollowsTheCurveNotItsControlPolygon) {
  EXPECT_NEAR(PathLength(Square(72, true), true, 1e-5), 288.0, 1e-9);
  EXPECT_NEAR(PathLength(Square(72, true), false, 1e-5), 216.0, 1e-9);
  EXPECT_NEAR(PathLength(Circle(100), true, 1e-5) / (2 * M_PI * 100), 1.0, 0.0005);
  EXPECT_EQ(PathLength({Corner(3, 4)}, true, 1e-5), 0.0);
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
