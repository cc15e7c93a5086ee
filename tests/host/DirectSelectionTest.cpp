// The host's Direct Selection tool: drags and the arrow keys, each one step "Undo Move" that
// undo and redo give back exactly, and a drag shown as it goes without a step of its own.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "host/DirectSelection.h"
#include "host/Host.h"

namespace tavrix::host {
namespace {

PathSegment Smooth(float h, float v, float inH, float inV, float outH, float outV) {
  return PathSegment{{h, v}, {inH, inV}, {outH, outV}, 0};
}

void ExpectPoint(const RealPoint& p, float h, float v) {
  EXPECT_FLOAT_EQ(p.h, h);
  EXPECT_FLOAT_EQ(p.v, v);
}

class DirectSelection : public ::testing::Test {
 protected:
  void SetUp() override {
    Document& document = host.NewDocument(kAIPointRulerUnits);
    document.AddPath({Smooth(0, 0, 0, 0, 0, 0), Smooth(100, 200, 90, 200, 130, 200),
                      Smooth(200, 300, 200, 300, 200, 300)},
                     false);
    PathSegment corner = Smooth(50, 50, 40, 50, 50, 80);
    corner.corner = 1;
    document.AddPath({corner, Smooth(60, 60, 60, 60, 60, 60)}, false);
  }
  const PathSegment& Segment(size_t path, size_t anchor) {
    return host.document()->paths()[path].segments[anchor];
  }

  Host host;
};

TEST_F(DirectSelection, DraggingAnAnchorCarriesItsHandlesAndIsOneStepNamedMove) {
  Drag(host, {0, 1, DragPart::Anchor}, RealPoint{140, -100});
  ExpectPoint(Segment(0, 1).p, 140, -100);
  ExpectPoint(Segment(0, 1).in, 130, -100);
  ExpectPoint(Segment(0, 1).out, 170, -100);
  EXPECT_EQ(host.UndoText(), kMoveUndoText);
  EXPECT_EQ(host.document()->history().UndoCount(), 1u);

  ASSERT_TRUE(host.Undo());
  ExpectPoint(Segment(0, 1).p, 100, 200);
  ExpectPoint(Segment(0, 1).in, 90, 200);
  EXPECT_EQ(host.RedoText(), kMoveRedoText);
  ASSERT_TRUE(host.Redo());
  ExpectPoint(Segment(0, 1).out, 170, -100);
}

TEST_F(DirectSelection, AHandleOfASmoothAnchorTurnsTheOtherKeepingItsLength) {
  Drag(host, {0, 1, DragPart::OutHandle}, RealPoint{100, 240});
  ExpectPoint(Segment(0, 1).out, 100, 240);
  ExpectPoint(Segment(0, 1).in, 100, 190);  // 10 long, straight opposite
  ExpectPoint(Segment(0, 1).p, 100, 200);
  // A corner's handles are independent.
  Drag(host, {1, 0, DragPart::InHandle}, RealPoint{20, 20});
  ExpectPoint(Segment(1, 0).in, 20, 20);
  ExpectPoint(Segment(1, 0).out, 50, 80);
  // A handle lying on its anchor gives the other no direction to turn to.
  Drag(host, {0, 2, DragPart::InHandle}, RealPoint{180, 300});
  ExpectPoint(Segment(0, 2).out, 200, 300);
  EXPECT_EQ(host.document()->history().UndoCount(), 3u);
}

TEST_F(DirectSelection, ADragThatCannotBeMadeChangesNothing) {
  EXPECT_THROW(Drag(host, {2, 0, DragPart::Anchor}, RealPoint{0, 0}), std::out_of_range);
  EXPECT_THROW(Drag(host, {0, 3, DragPart::Anchor}, RealPoint{0, 0}), std::out_of_range);
  EXPECT_THROW(Drag(host, {0, 1, DragPart::Anchor}, RealPoint{INFINITY, 0}), std::invalid_argument);
  host.document()->AddPath({Smooth(0, 0, 0, 0, 3e38f, 0)}, false);
  EXPECT_THROW(Drag(host, {2, 0, DragPart::Anchor}, RealPoint{3e38f, 0}), std::invalid_argument)
      << "the out handle would pass the largest float";
  EXPECT_EQ(host.UndoText(), "");
  ExpectPoint(Segment(0, 1).p, 100, 200);
  host.CloseDocument();
  EXPECT_THROW(Drag(host, {0, 0, DragPart::Anchor}, RealPoint{0, 0}), std::logic_error);
}

TEST_F(DirectSelection, TheArrowKeysMoveWhatIsSelectedByTheIncrement) {
  EXPECT_EQ(Nudge(host, 1, 0), 0u) << "nothing selected";
  EXPECT_EQ(host.UndoText(), "");
  host.document()->SelectPaths({1});
  host.document()->SetSelection(0, {kAINotSelected, kAIOutHandleSelected, kAINotSelected});
  EXPECT_EQ(Nudge(host, 0, -KeyboardIncrement(host) * kShiftNudgeFactor), 3u);
  ExpectPoint(Segment(1, 0).p, 50, 40);
  ExpectPoint(Segment(1, 0).out, 50, 70);
  ExpectPoint(Segment(1, 1).p, 60, 50);
  ExpectPoint(Segment(0, 1).out, 130, 190);  // the handle alone moved
  ExpectPoint(Segment(0, 1).p, 100, 200);
  EXPECT_EQ(host.document()->history().UndoCount(), 1u) << "one key press, one step";
  ASSERT_TRUE(host.Undo());
  ExpectPoint(Segment(1, 0).p, 50, 50);
  ExpectPoint(Segment(0, 1).out, 130, 200);
}

TEST_F(DirectSelection, TheKeyboardIncrementIsTheHostsPreference) {
  EXPECT_DOUBLE_EQ(KeyboardIncrement(host), 1.0);
  host.preferences().SetReal(kAICursorKeyLengthPreference, 2.5);
  EXPECT_DOUBLE_EQ(KeyboardIncrement(host), 2.5);
  host.preferences().SetReal(kAICursorKeyLengthPreference, -3);
  EXPECT_DOUBLE_EQ(KeyboardIncrement(host), 1.0) << "no usable step: the default";
}

TEST(ConstrainedDrag, KeepsTheDragHorizontalVerticalOrDiagonal) {
  const RealPoint from{10, 10};
  ExpectPoint(ConstrainedDrag(from, RealPoint{50, 14}), 50, 10);
  ExpectPoint(ConstrainedDrag(from, RealPoint{13, -40}), 10, -40);
  ExpectPoint(ConstrainedDrag(from, RealPoint{42, 38}), 40, 40);
  ExpectPoint(ConstrainedDrag(from, RealPoint{-22, 38}), -20, 40);
  ExpectPoint(ConstrainedDrag(from, from), 10, 10);
}

TEST_F(DirectSelection, APreviewFollowsThePointerWithoutAStepAndRestoresExactly) {
  const PathSegment before = Segment(0, 1);
  DragPreview preview(host, {0, 1, DragPart::Anchor});
  ExpectPoint(preview.start(), 100, 200);
  preview.MoveTo(RealPoint{120, 210});
  ExpectPoint(Segment(0, 1).p, 120, 210);
  ExpectPoint(Segment(0, 1).in, 110, 210);
  preview.MoveTo(RealPoint{NAN, 0});
  ExpectPoint(Segment(0, 1).p, 120, 210);
  EXPECT_EQ(host.UndoText(), "") << "no step while the drag goes on";
  preview.Restore();
  EXPECT_EQ(std::memcmp(&Segment(0, 1), &before, sizeof before), 0);
  // A target that went meanwhile is left alone.
  DragPreview gone(host, {1, 1, DragPart::OutHandle});
  ExpectPoint(gone.start(), 60, 60);
  host.document()->DeletePath(1);
  gone.MoveTo(RealPoint{0, 0});
  gone.Restore();
  EXPECT_EQ(host.document()->paths().size(), 1u);
}

}  // namespace
}  // namespace tavrix::host
