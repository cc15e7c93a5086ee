// The document window: where artwork points land, what a redraw pass clears, and that a
// plug-in invalidating while it draws cannot keep the host redrawing.
#include <gtest/gtest.h>

#include <limits>

#include "host/Host.h"
#include "host/dialog/DialogUser.h"
#include "host/view/DocumentView.h"
#include "palette/PaletteItems.h"
#include "support/PluginBytes.h"

namespace tavrix::host {
namespace {

TEST(DocumentView, ArtworkPointsLandOnRoundedPixelsWithVDownwards) {
  DocumentView view;
  EXPECT_EQ(view.ArtworkToView({10.4f, 20.6f}).h, 10);
  EXPECT_EQ(view.ArtworkToView({10.4f, 20.6f}).v, -21);
  view.SetZoom(2.5);
  view.ScrollTo(-100, 50);
  const AIPoint p = view.ArtworkToView({0, 0});
  EXPECT_EQ(p.h, 250);
  EXPECT_EQ(p.v, 125);
  // Far beyond any screen, still a pixel number and never undefined behaviour.
  EXPECT_EQ(view.ArtworkToView({3e38f, -3e38f}).h, std::numeric_limits<int32_t>::max());
  EXPECT_THROW(view.SetZoom(0), std::invalid_argument);
  EXPECT_THROW(view.ScrollTo(std::numeric_limits<float>::infinity(), 0), std::invalid_argument);
}

TEST(DocumentView, APassClearsEveryStrokeItsAreasTouchAndNoOther) {
  DocumentView view;
  view.BeginRedraw();
  view.DrawLine({0, 0}, {10, 10}, 0);
  view.DrawLine({0, 0}, {10, 10}, 0);  // the same pixels twice
  view.DrawLine({100, 0}, {100, 50}, 0);
  view.DrawLine({-20, 30}, {80, 30}, 0);  // crosses the area without an end inside it
  ASSERT_EQ(view.strokes().size(), 3u);
  view.Invalidate({40, 20, 60, 40});
  view.Invalidate({5, 5, 1, 1});  // inverted: nothing
  const std::vector<AIRect> areas = view.BeginRedraw();
  ASSERT_EQ(areas.size(), 1u);
  // The crossing stroke keeps its pixels outside the area: a window erases no more than asked.
  ASSERT_EQ(view.strokes().size(), 3u);
  EXPECT_EQ(view.PixelAt(39, 30), 0);
  EXPECT_EQ(view.PixelAt(40, 30), -1);
  EXPECT_EQ(view.PixelAt(59, 30), -1);
  EXPECT_EQ(view.PixelAt(60, 30), 0);  // the right edge is outside the area
  EXPECT_FALSE(view.NeedsRedraw());

  // Its two other parts go; then the stroke is gone.
  view.Invalidate({-20, 30, 40, 31});
  view.Invalidate({60, 30, 81, 31});
  view.BeginRedraw();
  ASSERT_EQ(view.strokes().size(), 2u);
  EXPECT_EQ(view.strokes()[0].to.h, 10);
  EXPECT_EQ(view.strokes()[1].to.v, 50);
  EXPECT_EQ(view.DrawnPixelCount(), 11u + 51u);
}

TEST(DocumentView, AStrokeOneRowShortOfErasedLeavesThatRow) {
  DocumentView view;
  view.BeginRedraw();
  view.DrawLine({100, 100}, {100, 112}, 2);
  view.Invalidate({90, 90, 111, 112});  // the bottom edge, v = 112, is not inside
  view.BeginRedraw();
  ASSERT_EQ(view.strokes().size(), 1u);
  EXPECT_EQ(view.DrawnPixelCount(), 1u);
  EXPECT_EQ(view.PixelAt(100, 112), 2);
}

TEST(DocumentView, StrokesOutsideTheWindowKeepNoPixelsAndGoWhenTheirAreaIsInvalidated) {
  DocumentView view;
  view.BeginRedraw();
  view.DrawLine({5000, 5000}, {5010, 5000}, 0);
  view.DrawLine({-10, 5}, {5, 5}, 0);  // half inside
  EXPECT_EQ(view.DrawnPixelCount(), 6u);
  ASSERT_EQ(view.strokes().size(), 2u);
  view.Invalidate({4990, 4990, 5020, 5020});
  view.BeginRedraw();
  ASSERT_EQ(view.strokes().size(), 1u);
  EXPECT_EQ(view.strokes()[0].from.h, -10);
}

// A window made smaller and then larger again: the pixels follow its size, row by row, and what
// was drawn before is gone with the whole view to be drawn again.
TEST(DocumentView, AResizedWindowHoldsPixelsAtItsOwnSizeAndIsDrawnAgain) {
  DocumentView view;
  view.BeginRedraw();
  view.DrawLine({1000, 700}, {1010, 700}, 1);
  view.Resize(300, 200);
  EXPECT_EQ(view.width(), 300);
  EXPECT_EQ(view.height(), 200);
  EXPECT_TRUE(view.strokes().empty());
  EXPECT_EQ(view.DrawnPixelCount(), 0u);
  ASSERT_TRUE(view.NeedsRedraw());
  view.BeginRedraw();
  // Beyond the old width's row length: a raster still indexed by the old width would put it
  // elsewhere, or past the end.
  view.DrawLine({290, 150}, {299, 150}, 3);
  view.DrawLine({1000, 700}, {1010, 700}, 1);  // outside now
  EXPECT_EQ(view.DrawnPixelCount(), 10u);
  EXPECT_EQ(view.PixelAt(299, 150), 3);
  EXPECT_EQ(view.PixelAt(300, 150), -1);
  EXPECT_EQ(view.PixelAt(0, 151), -1);
  view.Invalidate({295, 140, 300, 160});
  view.BeginRedraw();
  EXPECT_EQ(view.DrawnPixelCount(), 5u) << "exactly the invalidated part is cleared";
  view.Resize(0, 1 << 30);
  EXPECT_EQ(view.width(), DocumentView::kMinSide);
  EXPECT_EQ(view.height(), DocumentView::kMaxSide);
}

TEST(DocumentView, AStrokeIsClippedToItsDrawer) {
  ViewStroke stroke{{0, 10}, {40, 10}, 0};
  ASSERT_TRUE(ClipStroke(stroke, AIRect{10, 0, 20, 20}));
  EXPECT_EQ(stroke.from.h, 10);
  EXPECT_EQ(stroke.to.h, 20);
  ViewStroke outside{{0, 30}, {40, 30}, 0};
  EXPECT_FALSE(ClipStroke(outside, AIRect{10, 0, 20, 20}));
}

TEST(DocumentView, StrokesTouchRectanglesAtTheirEdgesToo) {
  const AIRect area{0, 0, 10, 10};
  EXPECT_TRUE(StrokeTouches({{10, 10}, {20, 20}, 0}, area));
  EXPECT_TRUE(StrokeTouches({{5, 5}, {5, 5}, 0}, area));
  EXPECT_FALSE(StrokeTouches({{11, 0}, {20, 0}, 0}, area));
  EXPECT_FALSE(StrokeTouches({{0, 12}, {12, 24}, 0}, area));
  EXPECT_TRUE(StrokeTouches({{-5, 5}, {15, 5}, 0}, area));
}

// The palette showing the first point of a straight path, with "Show path direction" on.
class MarksInAView : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(plugin.Start(), kNoErr);
    Document& document = host.NewDocument(kAIPointRulerUnits);
    document.AddPath(
        {PathSegment{{0, 0}, {0, 0}, {0, 0}, 0}, PathSegment{{100, 0}, {100, 0}, {100, 0}, 0}},
        false);
    host.DeliverNotifications();
    ASSERT_EQ(plugin.ChooseMenuItem(host.registrations().MenuItemNamed("Tavrix")->handle), kNoErr);
    DialogUser user(host.dialogs());
    user.ChooseFlyoutEntry(*host.dialogs().DialogNamed(kPaletteDialogName), 12);
    document.SelectAnchor(0, 0);
    host.DeliverNotifications();
  }

  Host host;
  HostedPlugin& plugin = host.LoadPlugin(test::PluginPath());
};

TEST_F(MarksInAView, AnAnnotatorThatInvalidatesWhileItDrawsGetsOnePassPerRequest) {
  const int64_t before = host.faults().Calls("AIAnnotator.InvalAnnotationRect");
  EXPECT_TRUE(host.RedrawView());
  // The palette hands its old marks back while it draws: that waits for the next pass.
  EXPECT_GT(host.faults().Calls("AIAnnotator.InvalAnnotationRect"), before);
  EXPECT_TRUE(host.view().NeedsRedraw());
  EXPECT_EQ(host.view().strokes().size(), 2u);
  EXPECT_TRUE(host.RedrawView());
  EXPECT_EQ(host.view().strokes().size(), 2u);
  EXPECT_EQ(host.alerts().ErrorCount(), 0u);
}

TEST_F(MarksInAView, RedrawingOverAndOverHoldsNoMoreThanOnePass) {
  host.RedrawView();
  host.RedrawView();
  const size_t operations = host.dialogs().HeldDrawOperations();
  const size_t references = host.dialogs().LiveSerialCount();
  const size_t strokes = host.view().strokes().size();
  for (int pass = 0; pass < 500; ++pass) {
    host.view().InvalidateAll();
    ASSERT_TRUE(host.RedrawView());
  }
  // Each pass draws its marks through drawers it releases: nothing of them may stay.
  EXPECT_EQ(host.dialogs().HeldDrawOperations(), operations);
  EXPECT_EQ(host.dialogs().LiveSerialCount(), references);
  EXPECT_EQ(host.view().strokes().size(), strokes);
  EXPECT_EQ(strokes, 2u);
  EXPECT_TRUE(host.misuse().empty()) << host.misuse().Describe();
}

TEST_F(MarksInAView, ADrawerTheHostCannotMakeSkipsItsMarkWithoutTouchingADrawer) {
  host.view().InvalidateAll();
  host.faults().FailOnce("ADMDrawer.Create", kBadParameterErr);
  EXPECT_TRUE(host.RedrawView());
  EXPECT_TRUE(host.view().strokes().empty());
  EXPECT_EQ(host.alerts().ErrorCount(), 0u);
  // No drawer operation reached the host without a drawer it lent.
  EXPECT_TRUE(host.misuse().empty()) << host.misuse().Describe();
  host.view().InvalidateAll();
  EXPECT_TRUE(host.RedrawView());
  EXPECT_EQ(host.view().strokes().size(), 2u);
}

TEST_F(MarksInAView, APassThatErasesDrawsNothing) {
  host.view().InvalidateAll();
  host.view().BeginRedraw();  // a clean window, without the plug-in's pass
  ASSERT_TRUE(host.view().strokes().empty());
  // Draw state 0: the host takes the annotations away; the plug-in hands its areas back.
  EXPECT_EQ(plugin.Annotate(DocumentView::kHandle, 0, DocumentView::kPort), kNoErr);
  EXPECT_TRUE(host.view().strokes().empty());
  EXPECT_EQ(plugin.Annotate(DocumentView::kHandle, 1, DocumentView::kPort), kNoErr);
  EXPECT_EQ(host.view().strokes().size(), 2u);
}

TEST_F(MarksInAView, AFailingViewNeverReachesTheUserAndLeavesNoStaleStroke) {
  host.faults().FailFromCall("AIDocumentView.ArtworkPointToViewPoint", 1,
                             FourCharCode('F', 'A', 'I', 'L'));
  host.RedrawView();
  EXPECT_TRUE(host.view().strokes().empty());
  EXPECT_EQ(host.alerts().ErrorCount(), 0u);
}

}  // namespace
}  // namespace tavrix::host
