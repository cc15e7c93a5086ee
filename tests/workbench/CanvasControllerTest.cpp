// A person at the document window without a window: clicks select, drags scroll, the wheel
// zooms, each as the session command that does the same.
#include "workbench/CanvasController.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>

#include "workbench/SessionCommands.h"

namespace tavrix::workbench {
namespace {

using test::kStartScript;

// The middle anchor (300, -300) is at view pixel (300, 300).
constexpr int kAnchorX = kFirstCanvas.left + 300;
constexpr int kAnchorY = kFirstCanvas.top + 300;

class CanvasControl : public ::testing::Test {
 protected:
  void Click(int x, int y, Button button = Button::Left) {
    canvas.MouseDown(x, y, button);
    canvas.MouseUp(x, y);
  }
  const host::DocumentView& View() { return commands.session.host().view(); }

  test::SessionCommands commands{kStartScript};
  CanvasController canvas{commands.session, commands};
};

TEST_F(CanvasControl, AClickSelectsTheAnchorThePathOrNothing) {
  Click(kFirstCanvas.left + 100, kFirstCanvas.top + 100);  // (100, -100), the first anchor
  EXPECT_EQ(commands.Last(), "select 0 0");
  Click(kFirstCanvas.left + 181, kFirstCanvas.top + 200);  // halfway along the first curve
  EXPECT_EQ(commands.Last(), "select-paths 0");
  Click(kAnchorX, kAnchorY);
  EXPECT_EQ(commands.Last(), "select 0 1");
  Click(kAnchorX + 50, kAnchorY + 1);  // the end of its out handle, shown now
  EXPECT_EQ(commands.Last(), "select-handle 0 1 out");
  EXPECT_EQ(commands.session.host().document()->paths()[0].selection[1], kAIOutHandleSelected);
  Click(kAnchorX - 50, kAnchorY + 1);  // and of its in handle
  EXPECT_EQ(commands.Last(), "select-handle 0 1 in");
  EXPECT_EQ(commands.session.host().document()->paths()[0].selection[1], kAIInHandleSelected);
  Click(kAnchorX, kAnchorY + 200);
  EXPECT_EQ(commands.Last(), "deselect");
  EXPECT_FALSE(commands.session.host().document()->paths()[0].IsSelected());
  EXPECT_FALSE(canvas.MouseDown(kFirstCanvas.left + kFirstCanvas.width + 5, kAnchorY, Button::Left))
      << "right of the document window is the desktop";
}

TEST_F(CanvasControl, DraggingOverNothingScrollsAndSelectsNothing) {
  const size_t before = commands.performed.size();
  canvas.MouseDown(600, 600, Button::Left);
  canvas.MouseMove(601, 601);
  EXPECT_EQ(commands.performed.size(), before) << "a tremor is still a click";
  canvas.MouseMove(640, 570);
  canvas.MouseUp(640, 570);
  EXPECT_EQ(commands.Last(), "scroll -40 -30");
  EXPECT_FLOAT_EQ(View().origin().h, -40);
  EXPECT_FLOAT_EQ(View().origin().v, -30);
  EXPECT_TRUE(commands.session.host().document()->paths()[0].IsSelected())
      << "a drag is no click on nothing";
}

TEST_F(CanvasControl, TheMiddleOrRightButtonScrollsEvenFromAnAnchor) {
  canvas.MouseDown(kAnchorX, kAnchorY, Button::Right);
  canvas.MouseMove(kAnchorX + 10, kAnchorY);
  canvas.MouseUp(kAnchorX + 10, kAnchorY);
  EXPECT_EQ(commands.Last(), "scroll -10 0");
  EXPECT_EQ(commands.performed.size(), 1u);
}

TEST_F(CanvasControl, TheWheelZoomsAboutTheMouse) {
  canvas.MouseMove(kAnchorX, kAnchorY);
  ASSERT_TRUE(canvas.pointer().has_value());
  EXPECT_DOUBLE_EQ(canvas.pointer()->h, 300);
  EXPECT_DOUBLE_EQ(canvas.pointer()->v, -300);
  canvas.Wheel(kAnchorX, kAnchorY, 2);
  EXPECT_DOUBLE_EQ(View().zoom(), 1.5625);
  const AIPoint pixel = View().ArtworkToView(RealPoint{300, -300});
  EXPECT_EQ(pixel.h, 300);
  EXPECT_EQ(pixel.v, 300);
  canvas.FitArtwork();
  EXPECT_DOUBLE_EQ(View().zoom(), 1024 * 0.9 / 400);
  canvas.ActualSize();
  EXPECT_DOUBLE_EQ(View().zoom(), 1);
}

TEST_F(CanvasControl, DraggingAnAnchorShowsItGoingAndEndsInOneDragCommand) {
  const PathSegment before = commands.session.host().document()->paths()[0].segments[1];
  canvas.MouseDown(kAnchorX + 1, kAnchorY - 1, Button::Left);  // on the anchor's mark
  EXPECT_EQ(commands.Last(), "select 0 1");
  canvas.MouseMove(kAnchorX + 21, kAnchorY + 9);
  canvas.MouseMove(kAnchorX + 41, kAnchorY + 19);
  EXPECT_TRUE(canvas.dragging());
  EXPECT_FLOAT_EQ(commands.AnchorAt(0, 1).h, 340) << "the anchor follows the mouse";
  EXPECT_EQ(commands.session.host().UndoText(), "") << "no step until the button is let go";
  canvas.MouseUp(kAnchorX + 41, kAnchorY + 19);
  EXPECT_EQ(commands.Last(), "drag anchor 0 1 340 -320");
  EXPECT_FLOAT_EQ(commands.session.host().document()->paths()[0].segments[1].out.h, 390);
  EXPECT_EQ(commands.session.host().UndoText(), "Undo Move");
  commands.session.Execute({"undo"});
  const PathSegment after = commands.session.host().document()->paths()[0].segments[1];
  EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0) << "undo gives back the drawing";
  EXPECT_FALSE(commands.session.host().document()->history().CanUndo()) << "one step only";
}

TEST_F(CanvasControl, ShiftKeepsADragLevelAndEscapeTakesItBack) {
  canvas.MouseDown(kAnchorX, kAnchorY, Button::Left);
  Modifiers shift;
  shift.shift = true;
  canvas.MouseMove(kAnchorX + 40, kAnchorY + 6, shift);
  canvas.MouseUp(kAnchorX + 40, kAnchorY + 6);
  EXPECT_EQ(commands.Last(), "drag anchor 0 1 340 -300");
  canvas.MouseDown(kAnchorX + 40, kAnchorY, Button::Left);
  canvas.MouseMove(kAnchorX + 90, kAnchorY + 48, shift);
  EXPECT_FLOAT_EQ(commands.AnchorAt(0, 1).h, 389) << "at 45 degrees";
  EXPECT_FLOAT_EQ(commands.AnchorAt(0, 1).v, -349);
  EXPECT_TRUE(canvas.CancelDrag());
  EXPECT_FLOAT_EQ(commands.AnchorAt(0, 1).h, 340);
  EXPECT_FLOAT_EQ(commands.AnchorAt(0, 1).v, -300);
  canvas.MouseUp(kAnchorX + 90, kAnchorY + 48);
  EXPECT_EQ(commands.Last(), "select 0 1") << "a drag let go of makes no step";
}

TEST_F(CanvasControl, DraggingAHandlesEndMovesThatHandle) {
  canvas.MouseDown(kAnchorX + 50, kAnchorY, Button::Left);  // the out handle's end
  EXPECT_EQ(commands.Last(), "select-handle 0 1 out");
  canvas.MouseMove(kAnchorX + 50, kAnchorY - 30);
  canvas.MouseUp(kAnchorX + 50, kAnchorY - 30);
  EXPECT_EQ(commands.Last(), "drag handle 0 1 out 350 -270");
  const PathSegment& s = commands.session.host().document()->paths()[0].segments[1];
  EXPECT_FLOAT_EQ(s.p.h, 300);
  // The smooth anchor's other handle turns to point straight away, still 50 long.
  EXPECT_NEAR(s.in.h, 300 - 50 * 50 / std::hypot(50, 30), 1e-3);
  EXPECT_NEAR(s.in.v, -300 - 30 * 50 / std::hypot(50, 30), 1e-3);
}

TEST(CanvasFills, AClickInsideAFilledShapeSelectsItAndInsideAnUnfilledOneDoesNot) {
  const std::string file = (tavrix::test::TempFolder() / "fills.svg").string();
  std::ofstream(file) << "<svg xmlns=\"http://www.w3.org/2000/svg\">\n"
                         "<rect x=\"100\" y=\"100\" width=\"200\" height=\"100\" fill=\"red\"/>\n"
                         "<g style=\"fill: none\"><rect x=\"400\" y=\"100\" width=\"200\" "
                         "height=\"100\" stroke=\"black\" stroke-width=\"20\"/></g>\n"
                         "</svg>\n";
  test::SessionCommands commands("open " + file + "\n");
  CanvasController canvas(commands.session, commands);
  canvas.MouseDown(kFirstCanvas.left + 200, kFirstCanvas.top + 150, Button::Left);
  canvas.MouseUp(kFirstCanvas.left + 200, kFirstCanvas.top + 150);
  EXPECT_EQ(commands.Last(), "select-paths 0");
  canvas.MouseDown(kFirstCanvas.left + 500, kFirstCanvas.top + 150, Button::Left);
  canvas.MouseUp(kFirstCanvas.left + 500, kFirstCanvas.top + 150);
  EXPECT_EQ(commands.Last(), "deselect") << "inside a shape without fill is nothing";
  // Anywhere on its wide stroke, not only near its line.
  canvas.MouseDown(kFirstCanvas.left + 500, kFirstCanvas.top + 108, Button::Left);
  canvas.MouseUp(kFirstCanvas.left + 500, kFirstCanvas.top + 108);
  EXPECT_EQ(commands.Last(), "select-paths 1");
}

// A path element of two subpaths is one shape: its hole is no part of it, by its fill rule,
// and a click on it selects both subpaths.
TEST(CanvasFills, AShapeWithAHoleIsFilledAsOneByItsRule) {
  const std::string file = (tavrix::test::TempFolder() / "holes.svg").string();
  std::ofstream(file) << "<svg xmlns=\"http://www.w3.org/2000/svg\">\n"
                         // The hole runs the other way round: no fill there by the nonzero rule.
                         "<path d=\"M100 100 h200 v200 h-200 Z M150 150 v100 h100 v-100 Z\"/>\n"
                         // The same way round: filled by nonzero, a hole by evenodd.
                         "<path fill-rule=\"evenodd\" "
                         "d=\"M400 100 h200 v200 h-200 Z M450 150 h100 v100 h-100 Z\"/>\n"
                         "<path d=\"M700 100 h200 v200 h-200 Z M750 150 h100 v100 h-100 Z\"/>\n"
                         "</svg>\n";
  test::SessionCommands commands("open " + file + "\n");
  CanvasController canvas(commands.session, commands);
  const auto click = [&](int x, int y) {
    canvas.MouseDown(kFirstCanvas.left + x, kFirstCanvas.top + y, Button::Left);
    canvas.MouseUp(kFirstCanvas.left + x, kFirstCanvas.top + y);
    return commands.Last();
  };
  EXPECT_EQ(click(200, 200), "deselect") << "the nonzero hole";
  EXPECT_EQ(click(120, 200), "select-paths 0 1");
  EXPECT_EQ(click(500, 200), "deselect") << "the evenodd hole";
  EXPECT_EQ(click(420, 200), "select-paths 2 3");
  EXPECT_EQ(click(800, 200), "select-paths 4 5") << "no hole by nonzero when both turn alike";
}

TEST_F(CanvasControl, WithoutADocumentItSaysHowToGetOne) {
  commands.session.Execute({"close-document"});
  EXPECT_TRUE(canvas.MouseDown(kAnchorX, kAnchorY, Button::Left));
  canvas.Wheel(kAnchorX, kAnchorY, 1);
  canvas.FitArtwork();
  EXPECT_TRUE(commands.performed.empty());
  ASSERT_EQ(commands.told.size(), 1u);
  EXPECT_EQ(commands.told[0], "there is no document: File > New makes one, File > Open reads one");
}

}  // namespace
}  // namespace tavrix::workbench
