// A drag draws the drawing in layers: what lies under the dragged element and what lies over it
// once, the element each frame. Every frame must look as the whole drawing read anew would, and
// a drawing that cannot be split so is drawn whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "host/DirectSelection.h"
#include "pictures/ArtworkDrawing.h"
#include "pictures/DrawingPicture.h"
#include "pictures/LayeredPicture.h"
#include "pictures/PictureProbes.h"
#include "pictures/Pictures.h"
#include "session/Session.h"
#include "support/PluginBytes.h"

namespace tavrix::app {
namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;

// The dragged triangle (path 2, in a moved group that gives it its fill) lies over a rectangle
// filled with a gradient defined at the end, and under a half-transparent circle and an opaque
// square; a path made in the session goes over them all.
constexpr char kOverlapping[] =
    "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
    "width=\"320\" height=\"240\">\n"
    "  <rect x=\"10\" y=\"10\" width=\"150\" height=\"120\" fill=\"url(#warm)\"/>\n"
    "  <path d=\"M 0 0 L 20 0 L 20 20 Z\" fill=\"#808000\"/>\n"
    "  <g transform=\"translate(20 15)\" fill=\"#2060c0\" stroke=\"#000\" stroke-width=\"3\">\n"
    "    <path id=\"dragged\" d=\"M 40 20 L 140 40 L 60 120 Z\"/>\n"
    "    <circle cx=\"100\" cy=\"70\" r=\"40\" fill=\"#20a040\" fill-opacity=\"0.5\"/>\n"
    "  </g>\n"
    "  <rect x=\"60\" y=\"90\" width=\"40\" height=\"40\" fill=\"#e0c000\" stroke=\"#600\"/>\n"
    "  <defs><linearGradient id=\"warm\"><stop offset=\"0\" stop-color=\"#c04020\"/>"
    "<stop offset=\"1\" stop-color=\"#f0a060\"/></linearGradient></defs>\n"
    "</svg>\n";

struct Canvas : pictures::CairoCanvas {
  Canvas() : CairoCanvas(CAIRO_FORMAT_RGB24, kWidth, kHeight) {}
  uint32_t At(int x, int y) const {
    const unsigned char* row =
        cairo_image_surface_get_data(surface()) +
        static_cast<ptrdiff_t>(y) * cairo_image_surface_get_stride(surface());
    return reinterpret_cast<const uint32_t*>(row)[x];
  }
};

// The largest difference of one colour channel between the two pictures.
int LargestDifference(const Canvas& a, const Canvas& b) {
  int largest = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const uint32_t p = a.At(x, y), q = b.At(x, y);
      for (int shift : {0, 8, 16}) {
        largest = std::max(largest, std::abs(static_cast<int>((p >> shift) & 0xff) -
                                             static_cast<int>((q >> shift) & 0xff)));
      }
    }
  }
  return largest;
}

class DragLayers : public ::testing::Test {
 protected:
  void Open(const std::string& text) {
    file = (tavrix::test::TempFolder() / "drag-layers.svg").string();
    std::ofstream(file, std::ios::binary) << text;
    Play("open " + file + "\nzoom 1\n");
  }
  void Play(const std::string& script) {
    std::istringstream in(script);
    ASSERT_EQ(session.Run(in, "drag.tavrix"), 0) << out.str();
  }
  void Draw(const Canvas& canvas, const pictures::LooksPicture* looks) {
    cairo_t* cr = canvas.cr();
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, kWidth, kHeight);
    cairo_clip(cr);
    pictures::DrawArtwork(cr, *session.host().document(), session.host().view(),
                          pictures::FindCurrentPoint(*session.host().document()), looks);
    cairo_restore(cr);
    cairo_surface_flush(canvas.surface());
  }
  // The frame as a drag draws it, and as the whole drawing read now draws it.
  void DrawBoth(pictures::LayeredPictureCache& layered, const Canvas& fast, const Canvas& whole,
                size_t dragged = 2) {
    const auto layers = session.DrawingLayersAround(dragged);
    ASSERT_TRUE(layers);
    std::string error;
    const pictures::LooksPicture* looks =
        layered.For({layers->under, layers->element, layers->over}, file, error);
    ASSERT_NE(looks, nullptr) << error;
    Draw(fast, looks);
    const pictures::DrawingPicture full(session.DrawingText(), file);
    Draw(whole, &full);
  }

  std::ostringstream out;
  Session session{{tavrix::test::PluginPath(), ""}, out};
  std::string file;
};

TEST_F(DragLayers, EveryFrameOfADragLooksAsTheWholeDrawingDoes) {
  Open(kOverlapping);
  Play("path 150 -200 ; 300 -200 ; 300 -60\nselect 2 1\n");
  host::DragPreview drag(session.host(), {2, 1, host::DragPart::Anchor});
  const RealPoint start = drag.start();
  pictures::LayeredPictureCache layered;
  Canvas fast, whole, before;
  DrawBoth(layered, before, whole);
  for (int step = 1; step <= 12; ++step) {
    // Across the circle and the square over it, out of the view and back.
    drag.MoveTo(RealPoint{start.h - 12.0f * static_cast<float>(step),
                          start.v - 9.0f * static_cast<float>(step)});
    if (step == 8) Play("zoom 2\nscroll 20 -20\n");
    DrawBoth(layered, fast, whole);
    EXPECT_LE(LargestDifference(fast, whole), 2) << "step " << step;
  }
  // The frames did show the anchor moving.
  EXPECT_GT(LargestDifference(before, fast), 100);
}

TEST_F(DragLayers, TheLayersAreMadeAgainWhenWhatSurroundsTheElementChanges) {
  Open(kOverlapping);
  pictures::LayeredPictureCache layered;
  Canvas fast, whole;
  DrawBoth(layered, fast, whole);
  // Another path moves (as an undo would do) while the same path is dragged.
  Play("select 4 0\nnudge right shift\nnudge down shift\n");
  DrawBoth(layered, fast, whole);
  EXPECT_LE(LargestDifference(fast, whole), 2);
}

TEST_F(DragLayers, ADragAfterAnotherLeavesNothingOfTheFirstOnTheScreen) {
  Open(kOverlapping);
  pictures::LayeredPictureCache layered;
  Canvas fast, whole;
  DrawBoth(layered, fast, whole, 2);
  layered.Forget();
  // The next drag draws its layers into the surfaces of the first: the opaque square over the
  // triangle then lies under the dragged path.
  Play("zoom 1.5\n");
  DrawBoth(layered, fast, whole, 4);
  EXPECT_LE(LargestDifference(fast, whole), 2);
  layered.Forget();
  Play("zoom 1\n");
  DrawBoth(layered, fast, whole, 0);
  EXPECT_LE(LargestDifference(fast, whole), 2);
}

// What would draw differently in layers: the whole drawing is read instead.
TEST_F(DragLayers, ADrawingThatCannotBeSplitExactlyIsNotSplit) {
  const std::string triangle = "<path id=\"t\" d=\"M 40 20 L 140 40 L 60 120 Z\"/>";
  const std::string square = "<rect x=\"60\" y=\"60\" width=\"40\" height=\"40\"/>";
  const std::string head = "<svg xmlns=\"http://www.w3.org/2000/svg\">";
  for (const std::string& text : {
           head + square + "<g opacity=\"0.5\">" + triangle + "</g>" + square + "</svg>",
           head + square + "<g style=\"filter:blur(2px)\">" + triangle + "</g></svg>",
           head + square + "<g clip-path=\"url(#c)\">" + triangle + "</g></svg>",
           head + square + "<switch>" + triangle + "</switch></svg>",
           head + square + triangle + "<use href=\"#t\" x=\"5\"/></svg>",
           head + "<g id=\"under\">" + square + "</g>" + triangle + "<use href=\"#under\"/></svg>",
           head + "<style>rect:last-child{fill:red}</style>" + triangle + square + "</svg>",
           head + square + triangle + "<rect style=\"mix-blend-mode:multiply\"/></svg>",
           // A clone of the group around the dragged element.
           head + "<g id=\"layer\">" + square + triangle +
               "</g><use href=\"#layer\" x=\"5\"/></svg>",
           "<?xml-stylesheet href=\"look.css\"?>" + head + square + triangle + "</svg>",
           head + square + "<g style=\"fill:red; opacity : 0.99\">" + triangle + "</g></svg>",
       }) {
    Open(text);
    const size_t dragged = text.find("<rect") < text.find("<path") ? 1 : 0;
    EXPECT_FALSE(session.DrawingLayersAround(dragged)) << text;
  }
  // Properties that only paint the group's children one by one, or that turn compositing off,
  // leave it to be cut, as drawing programs write them on nearly every group.
  Open(head + square +
       "<g style=\"fill-opacity:0.5;stroke-opacity:0.4;clip-rule:evenodd;opacity:1\" "
       "filter=\"none\" mask=\"none\">" +
       triangle + "</g></svg>");
  EXPECT_TRUE(session.DrawingLayersAround(1));
  // A path made in the session has no element of the file to split around.
  Open(head + square + "</svg>");
  Play("path 0 0 ; 10 -10\n");
  EXPECT_FALSE(session.DrawingLayersAround(1));
  EXPECT_TRUE(session.DrawingLayersAround(0));
}

}  // namespace
}  // namespace tavrix::app
