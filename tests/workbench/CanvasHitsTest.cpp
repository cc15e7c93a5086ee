// What a click in the document window takes, and where zooming and scrolling put the view.
#include "workbench/CanvasHits.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tavrix::workbench {
namespace {

PathSegment Anchor(float h, float v) {
  return PathSegment{RealPoint{h, v}, RealPoint{h, v}, RealPoint{h, v}, 0};
}

PathSegment Anchor(float h, float v, RealPoint in, RealPoint out) {
  return PathSegment{RealPoint{h, v}, in, out, 0};
}

class CanvasHits : public ::testing::Test {
 protected:
  // The view at zoom 1 with artwork (0, 0) at its top left: an artwork point (h, v) is the
  // pixel (h, -v), its centre (h + 0.5, -v + 0.5).
  CanvasHits() : document(kAIPointRulerUnits, nullptr, 0x100) {
    // An open line across, then a curve bowing down from (100, -300) to (300, -300).
    document.AddPath({Anchor(100, -100), Anchor(300, -100)}, false);
    document.AddPath(
        {Anchor(100, -300, {100, -300}, {100, -400}), Anchor(300, -300, {300, -400}, {300, -300})},
        false);
  }

  ArtworkHit At(double h, double v) { return HitArtwork(document, view, h + 0.5, -v + 0.5); }

  host::Document document;
  host::DocumentView view;
};

TEST_F(CanvasHits, AnAnchorOfAnyPathIsTakenWithinReach) {
  const ArtworkHit hit = At(303, -98);
  EXPECT_EQ(hit.kind, ArtworkHit::Kind::Anchor);
  EXPECT_EQ(hit.path, 0u);
  EXPECT_EQ(hit.anchor, 1u);
  EXPECT_EQ(At(295, -102).kind, ArtworkHit::Kind::Path) << "beside the anchor, on the line";
  EXPECT_EQ(At(295, -105).kind, ArtworkHit::Kind::None);
  EXPECT_EQ(At(305, -100).kind, ArtworkHit::Kind::None) << "the line ends at its anchor";
}

TEST_F(CanvasHits, APathIsTakenAlongItsCurveNotItsChord) {
  // The curve's lowest point is 75 below its ends; its chord is empty space.
  EXPECT_EQ(At(200, -300).kind, ArtworkHit::Kind::None);
  const ArtworkHit hit = At(200, -374);
  EXPECT_EQ(hit.kind, ArtworkHit::Kind::Path);
  EXPECT_EQ(hit.path, 1u);
  EXPECT_EQ(At(200, -380).kind, ArtworkHit::Kind::None);
}

TEST_F(CanvasHits, HandlesAreTakenOnlyWhereTheyAreShown) {
  EXPECT_EQ(At(100, -400).kind, ArtworkHit::Kind::None) << "an unselected path shows no handles";
  document.SelectAnchor(1, 0);
  const ArtworkHit hit = At(101, -399);
  EXPECT_EQ(hit.kind, ArtworkHit::Kind::Handle);
  EXPECT_EQ(hit.path, 1u);
  EXPECT_EQ(hit.anchor, 0u);
  // A handle lying on its anchor is not drawn: the anchor is what is there.
  EXPECT_EQ(At(100, -300).kind, ArtworkHit::Kind::Anchor);
}

TEST_F(CanvasHits, TheNearestAnchorWinsAndTheLaterPathOnATie) {
  document.AddPath({Anchor(104, -100), Anchor(104, -200)}, false);
  EXPECT_EQ(At(101, -100).path, 0u);
  EXPECT_EQ(At(103, -100).path, 2u);
  document.AddPath({Anchor(100, -100)}, false);
  EXPECT_EQ(At(100, -100).path, 3u) << "the path drawn last is on top";
}

TEST_F(CanvasHits, FollowsTheViewsZoomAndScroll) {
  view.SetZoom(2);
  view.ScrollTo(50, -50);
  // Artwork (100, -100) is at pixel (100, 100) now.
  const ArtworkHit hit = HitArtwork(document, view, 100.5, 100.5);
  EXPECT_EQ(hit.kind, ArtworkHit::Kind::Anchor);
  EXPECT_EQ(hit.path, 0u);
  EXPECT_EQ(hit.anchor, 0u);
  const ArtworkPoint p = ViewToArtwork(view, 100, 100);
  EXPECT_DOUBLE_EQ(p.h, 100);
  EXPECT_DOUBLE_EQ(p.v, -100);
}

TEST_F(CanvasHits, PointsThatAreNoNumbersAreNeverHit) {
  host::Document odd(kAIPointRulerUnits, nullptr, 0x100);
  odd.AddPath({Anchor(NAN, 0), Anchor(1e30f, 0), Anchor(INFINITY, -5)}, true);
  EXPECT_EQ(HitArtwork(odd, view, 0.5, 0.5).kind, ArtworkHit::Kind::None);
  const std::optional<ViewPlace> place = FitArtwork(odd, view);
  ASSERT_TRUE(place.has_value()) << "the one finite point is still there to be shown";
  EXPECT_TRUE(std::isfinite(place->zoom) && std::isfinite(place->left) &&
              std::isfinite(place->top));
}

TEST(ViewPlaces, ZoomingKeepsThePointUnderTheMouse) {
  host::DocumentView view;
  view.ScrollTo(-100, 200);
  const ArtworkPoint before = ViewToArtwork(view, 300, 150);
  const ViewPlace place = ZoomedAbout(view, 2, 300, 150);
  EXPECT_DOUBLE_EQ(place.zoom, 2);
  view.SetZoom(place.zoom);
  view.ScrollTo(static_cast<float>(place.left), static_cast<float>(place.top));
  const ArtworkPoint after = ViewToArtwork(view, 300, 150);
  EXPECT_NEAR(after.h, before.h, 1e-4);
  EXPECT_NEAR(after.v, before.v, 1e-4);
  EXPECT_DOUBLE_EQ(ZoomedAbout(view, 1e9, 0, 0).zoom, kMaxZoom);
  EXPECT_DOUBLE_EQ(ZoomedAbout(view, 1e-9, 0, 0).zoom, kMinZoom);
}

TEST(ViewPlaces, DraggingMovesTheArtworkWithTheMouse) {
  host::DocumentView view;
  view.SetZoom(2);
  const ViewPlace place = DraggedBy(view, 40, -20);
  // What was at pixel (0, 0) is at (40, -20): artwork (0, 0) is there, so the origin moved by
  // 20 left and 10 down in artwork units, v growing upwards.
  EXPECT_DOUBLE_EQ(place.left, -20);
  EXPECT_DOUBLE_EQ(place.top, -10);
  EXPECT_DOUBLE_EQ(place.zoom, 2);
}

TEST(ViewPlaces, FittingCentresEveryPointWithItsHandles) {
  host::DocumentView view;
  host::Document document(kAIPointRulerUnits, nullptr, 0x100);
  EXPECT_FALSE(FitArtwork(document, view).has_value());
  document.AddPath({Anchor(0, 0, {0, 0}, {0, 1000}), Anchor(2000, 0)}, false);
  const std::optional<ViewPlace> place = FitArtwork(document, view);
  ASSERT_TRUE(place.has_value());
  // 2000 x 1000 points in 1024 x 768 pixels with a tenth to spare: the width decides.
  EXPECT_NEAR(place->zoom, 1024 * 0.9 / 2000, 1e-9);
  EXPECT_NEAR(place->left + 512 / place->zoom, 1000, 1e-9);
  EXPECT_NEAR(place->top - 384 / place->zoom, 500, 1e-9);
  host::Document dot(kAIPointRulerUnits, nullptr, 0x100);
  dot.AddPath({Anchor(5, 5)}, false);
  EXPECT_DOUBLE_EQ(FitArtwork(dot, view)->zoom, 4) << "a single point is not blown up without end";
  // In a window made tall and narrow, the height has room to spare and the width decides more.
  view.Resize(500, 900);
  const std::optional<ViewPlace> narrow = FitArtwork(document, view);
  EXPECT_NEAR(narrow->zoom, 500 * 0.9 / 2000, 1e-9);
  EXPECT_NEAR(narrow->left + 250 / narrow->zoom, 1000, 1e-9);
  EXPECT_NEAR(narrow->top - 450 / narrow->zoom, 500, 1e-9);
}

}  // namespace
}  // namespace tavrix::workbench
