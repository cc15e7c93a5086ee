// The document window as drawn from the document and its view, checked at probe pixels.
#include <gtest/gtest.h>

#include "pictures/PictureProbes.h"
#include "pictures/Pictures.h"

namespace tavrix::pictures {
namespace {

using test::IsCurrentPointOrange;
using test::IsDark;
using test::IsSelectionBlue;
using test::IsWhite;

PathSegment Corner(float h, float v) {
  return PathSegment{{h, v}, {h, v}, {h, v}, 1};
}

PathSegment Smooth(float h, float v, RealPoint in, RealPoint out) {
  return PathSegment{{h, v}, in, out, 0};
}

class ArtworkDrawing : public ::testing::Test {
 protected:
  Picture Draw(std::optional<AnchorRef> current = std::nullopt) {
    Scene scene;
    scene.document = &document;
    scene.view = &view;
    scene.currentPoint = current;
    return Render(scene, Show::Artwork, 2);
  }

  // The picture's pixel for the view pixel where the artwork point lands.
  Rgb AtArtwork(const Picture& picture, RealPoint p, double dh = 0, double dv = 0) const {
    const AIPoint at = view.ArtworkToView(p);
    return picture.image.At(at.h + 0.5 + dh, at.v + 0.5 + dv);
  }

  host::Document document{kAIPointRulerUnits, nullptr, 1};
  host::DocumentView view;
};

TEST_F(ArtworkDrawing, TheViewIsThePictureAndPathsAreDrawnInIt) {
  document.AddPath({Corner(100, -100), Corner(300, -100)}, false);
  const Picture picture = Draw();
  EXPECT_EQ(picture.image.width(), host::DocumentView::kDefaultWidth);
  EXPECT_EQ(picture.image.height(), host::DocumentView::kDefaultHeight);
  // An unselected path is black, with no anchors shown.
  EXPECT_TRUE(IsDark(AtArtwork(picture, {200, -100}))) << AtArtwork(picture, {200, -100});
  EXPECT_TRUE(IsWhite(AtArtwork(picture, {100, -100}, -2, -2)));
  EXPECT_TRUE(IsWhite(AtArtwork(picture, {200, -100}, 0, -4)));
}

TEST_F(ArtworkDrawing, CurvesBendAsTheirHandlesSay) {
  // An arch: its middle is three quarters of the way up to the handles, its chord is empty.
  document.AddPath(
      {Smooth(100, -300, {100, -300}, {100, -200}), Smooth(300, -300, {300, -200}, {300, -300})},
      false);
  const Picture picture = Draw();
  EXPECT_TRUE(IsDark(picture.image.At(200.5, 225.5))) << picture.image.At(200.5, 225.5);
  EXPECT_TRUE(IsWhite(picture.image.At(200.5, 300.5)));
}

TEST_F(ArtworkDrawing, AnchorsOfASelectedPathAreSquaresFilledWhenSelected) {
  document.AddPath({Corner(100, -100), Corner(200, -100), Corner(300, -200)}, false);
  document.SelectAnchor(0, 1);
  const Picture picture = Draw();
  // Selected: filled to its corner. Not selected: an outline with white inside.
  EXPECT_TRUE(IsSelectionBlue(AtArtwork(picture, {200, -100}, -1.8, -1.8)));
  EXPECT_TRUE(IsSelectionBlue(AtArtwork(picture, {300, -200}, -2.2, 0)));
  EXPECT_TRUE(IsWhite(AtArtwork(picture, {300, -200}, -1, -1)));
  // The path itself shows in the selection's colour.
  EXPECT_TRUE(IsSelectionBlue(AtArtwork(picture, {150, -100})));
}

TEST_F(ArtworkDrawing, HandlesOfSelectedAnchorsEndInDots) {
  document.AddPath({Smooth(100, -100, {100, -100}, {100, -60}),
                    Smooth(300, -100, {260, -140}, {340, -60}), Corner(400, -100)},
                   false);
  document.SelectAnchor(0, 1);
  const Picture picture = Draw();
  EXPECT_TRUE(IsSelectionBlue(AtArtwork(picture, {260, -140}))) << "the in handle's end";
  EXPECT_TRUE(IsSelectionBlue(AtArtwork(picture, {340, -60}))) << "the out handle's end";
  EXPECT_TRUE(IsSelectionBlue(AtArtwork(picture, {280, -120}))) << "on the handle's line";
  // Anchor 0 is not selected: its handle is not shown, only the curve passes near.
  EXPECT_TRUE(IsWhite(AtArtwork(picture, {100, -60})));
}

TEST_F(ArtworkDrawing, ZoomAndScrollMoveTheArtworkAsTheViewSays) {
  document.AddPath({Corner(100, -100), Corner(200, -100)}, false);
  document.SelectAnchor(0, 0);
  const Picture before = Draw();
  view.SetZoom(2);
  view.ScrollTo(50, 20);
  const Picture after = Draw();
  // (100, -100) was at view pixel (100, 100); now ((100 - 50) * 2, (20 + 100) * 2).
  EXPECT_EQ(view.ArtworkToView({100, -100}).h, 100);
  EXPECT_EQ(view.ArtworkToView({100, -100}).v, 240);
  EXPECT_TRUE(IsSelectionBlue(after.image.At(100.5 - 1.8, 240.5 - 1.8)));
  EXPECT_TRUE(IsWhite(after.image.At(100.5, 100.5 - 3)));
  EXPECT_TRUE(IsSelectionBlue(before.image.At(100.5 - 1.8, 100.5 - 1.8)));
}

TEST_F(ArtworkDrawing, TheCurrentPointIsRinged) {
  document.AddPath({Corner(100, -100), Corner(200, -100)}, false);
  document.SelectAnchor(0, 1);
  const Picture ringed = Draw(AnchorRef{0, 1});
  const Picture plain = Draw();
  EXPECT_TRUE(IsCurrentPointOrange(AtArtwork(ringed, {200, -100}, 0, -6.5)))
      << AtArtwork(ringed, {200, -100}, 0, -6.5);
  EXPECT_TRUE(IsWhite(AtArtwork(plain, {200, -100}, 0, -6.5)));
  // A current point that no longer exists draws nothing and fails nothing.
  EXPECT_NO_THROW(Draw(AnchorRef{0, 7}));
  EXPECT_NO_THROW(Draw(AnchorRef{3, 0}));
}

TEST_F(ArtworkDrawing, StrokesOfTheLastRedrawPassAreDrawnOnTop) {
  document.AddPath({Corner(0, -300), Corner(500, -300)}, false);
  document.SelectAnchor(0, 0);
  view.BeginRedraw();
  view.DrawLine({100, 290}, {100, 310}, kADMBlackColor);  // across the selected path
  view.DrawLine({200, 200}, {240, 220}, kADMBackgroundColor);
  const Picture picture = Draw();
  EXPECT_TRUE(IsDark(picture.image.At(100.5, 300.5))) << picture.image.At(100.5, 300.5);
  EXPECT_TRUE(IsDark(picture.image.At(100.5, 295.5)));
  const Rgb grey = picture.image.At(220.5, 210.5);
  EXPECT_FALSE(IsWhite(grey)) << grey;
  EXPECT_FALSE(IsDark(grey)) << grey;
}

TEST_F(ArtworkDrawing, ArtworkFarOutsideTheViewIsClippedNotBent) {
  // Straight lines to points a float can hold but cairo cannot: what shows keeps its slope.
  document.AddPath({Corner(100, -100), Corner(100 + 2e9f, -100 - 1e9f)}, false);
  document.AddPath({Corner(-5e9f, -500), Corner(5e9f, -500)}, false);
  document.AddPath({Smooth(0, -600, {0, -600}, {3e38f, 3e38f}), Corner(800, -600)}, false);
  view.BeginRedraw();
  view.DrawLine({INT32_MIN, 700}, {INT32_MAX, 700}, kADMBlackColor);
  const Picture picture = Draw();
  EXPECT_TRUE(IsDark(picture.image.At(300.5, 200.5))) << picture.image.At(300.5, 200.5);
  EXPECT_TRUE(IsDark(picture.image.At(700.5, 400.5)));
  EXPECT_TRUE(IsDark(picture.image.At(512.5, 500.5)));
  EXPECT_TRUE(IsDark(picture.image.At(512.5, 700.5)));
}

TEST(CurrentPoint, IsTheFirstSelectedPathsFirstSelectedAnchor) {
  host::Document document{kAIPointRulerUnits, nullptr, 1};
  document.AddPath({Corner(0, 0), Corner(1, 0)}, false);
  document.AddPath({Corner(0, 0), Corner(1, 0), Corner(2, 0)}, false);
  document.AddPath({Corner(0, 0), Corner(1, 0)}, false);
  EXPECT_FALSE(FindCurrentPoint(document).has_value());

  document.SetSelection(1, {kAIInHandleSelected, kAIAnchorSelected, kAIAnchorSelected});
  ASSERT_TRUE(FindCurrentPoint(document).has_value());
  EXPECT_EQ(FindCurrentPoint(document)->path, 1u);
  EXPECT_EQ(FindCurrentPoint(document)->anchor, 1u);

  // The first selected path decides, even when only a handle of it is selected.
  document.SetSelection(0, {kAINotSelected, kAIOutHandleSelected});
  EXPECT_FALSE(FindCurrentPoint(document).has_value());

  document.SelectPaths({2, 1});
  EXPECT_EQ(FindCurrentPoint(document)->path, 1u);
  EXPECT_EQ(FindCurrentPoint(document)->anchor, 0u);
}

}  // namespace
}  // namespace tavrix::pictures
