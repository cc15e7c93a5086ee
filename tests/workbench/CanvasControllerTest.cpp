// A person at the document window without a window: clicks select, drags scroll, the wheel
// zooms, each as the session command that does the same.
#include "workbench/CanvasController.h"

#include <gtest/gtest.h>

#include "workbench/SessionCommands.h"

namespace tavrix::workbench {
namespace {

using test::kStartScript;

// The middle anchor (300, -300) is at view pixel (300, 300).
constexpr int kAnchorX = kCanvas.left + 300;
constexpr int kAnchorY = kCanvas.top + 300;

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
  Click(kCanvas.left + 100, kCanvas.top + 100);  // (100, -100), the first anchor
  EXPECT_EQ(commands.Last(), "select 0 0");
  Click(kCanvas.left + 181, kCanvas.top + 200);  // halfway along the first curve
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
  EXPECT_FALSE(canvas.MouseDown(kCanvas.left + kCanvas.width + 5, kAnchorY, Button::Left))
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
