// The drawing as it looks: `render` draws the document's SVG text with librsvg under the editing
// layer, aligned with the host's own coordinates, also when the root has a viewBox.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "pictures/DrawingPicture.h"
#include "pictures/DrawingTools.h"
#include "pictures/PictureProbes.h"
#include "pictures/Pictures.h"
#include "session/Session.h"
#include "support/PluginBytes.h"

namespace tavrix::app {
namespace {

using pictures::Image;
using pictures::Rgb;
using pictures::test::IsDark;
using pictures::test::IsSelectionBlue;
using pictures::test::IsWhite;

bool IsRed(const Rgb& c) {
  return c.r > 220 && c.g < 40 && c.b < 40;
}

std::string TempPath(const std::string& name) {
  return (tavrix::test::TempFolder() / name).string();
}

std::string WriteDrawing(const std::string& name, const std::string& text) {
  const std::string path = TempPath(name);
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

// A root whose viewBox scales by two in a browser: the host reads user units as points all the
// same, and the picture must put the red rectangle where the host's anchors are.
constexpr char kScaledRoot[] =
    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"400\" height=\"200\" "
    "viewBox=\"100 50 200 100\">\n"
    "  <rect id=\"red\" x=\"150\" y=\"80\" width=\"100\" height=\"40\" fill=\"#ff0000\"/>\n"
    "</svg>\n";

class DrawingLooks : public ::testing::Test {
 protected:
  int Play(const std::string& script) {
    std::istringstream in(script);
    return session.Run(in, "looks.tavrix");
  }
  Image Rendered(const std::string& lines, const std::string& name) {
    const std::string file = TempPath(name);
    EXPECT_EQ(Play(lines + "render " + file + " artwork scale 1\n"), 0) << out.str();
    return Image::ReadPng(file);
  }
  // The view pixel's centre of an artwork point, as the host maps it.
  pictures::Point Pixel(double h, double v) {
    const AIPoint p = session.host().view().ArtworkToView(
        RealPoint{static_cast<float>(h), static_cast<float>(v)});
    return pictures::Point{p.h + 0.5, p.v + 0.5};
  }

  std::ostringstream out;
  Session session{{tavrix::test::PluginPath(), ""}, out};
};

TEST_F(DrawingLooks, AFilledRectangleIsRedWhereItsAnchorsAre) {
  const std::string file = WriteDrawing("scaled.svg", kScaledRoot);
  // The rectangle's corners are at h 150 to 250, v -80 to -120; at zoom 2 it is 200 x 80 pixels.
  const Image image = Rendered("open " + file + "\nzoom 2\nscroll 100 -50\n", "scaled.png");
  const pictures::Point topLeft = Pixel(150, -80);
  const pictures::Point bottomRight = Pixel(250, -120);
  ASSERT_DOUBLE_EQ(topLeft.x, 100.5);
  ASSERT_DOUBLE_EQ(topLeft.y, 60.5);
  EXPECT_TRUE(IsRed(image.At(200, 100))) << image.At(200, 100);
  // Just inside and just outside each corner: the fill's edge passes through the anchors.
  EXPECT_TRUE(IsRed(image.At(topLeft.x + 1.5, topLeft.y + 1.5))) << image.At(102, 62);
  EXPECT_TRUE(IsWhite(image.At(topLeft.x - 1.5, topLeft.y - 1.5))) << image.At(99, 59);
  EXPECT_TRUE(IsRed(image.At(bottomRight.x - 1.5, bottomRight.y - 1.5)));
  EXPECT_TRUE(IsWhite(image.At(bottomRight.x + 1.5, bottomRight.y + 1.5)));
  EXPECT_TRUE(IsWhite(image.At(500, 100)));
}

TEST_F(DrawingLooks, AnEditShowsAtOnceAndTheSelectedPathIsOutlinedOverItsFill) {
  const std::string file = WriteDrawing("edited.svg", kScaledRoot);
  // The rectangle's anchors run from its top left corner: anchor 1 is (250, -80).
  const Image image = Rendered("open " + file +
                                   "\nmenu\nselect 0 1\ntype pointXField 300\n"
                                   "scroll 100 -50\n",
                               "edited.png");
  // At zoom 1 the top edge now runs from (50, 30) to (200, 30): the fill reaches past 150.
  EXPECT_TRUE(IsRed(image.At(175, 45))) << image.At(175, 45);
  EXPECT_TRUE(IsSelectionBlue(image.At(100.5, 30.5))) << image.At(100.5, 30.5);
}

TEST_F(DrawingLooks, PathsMadeInTheSessionAreThinBlackStrokesWithoutFill) {
  const Image image = Rendered(
      "document pt\npath closed 100 -100 ; 300 -100 ; 300 -300 ; 100 -300\n", "session.png");
  EXPECT_TRUE(IsDark(image.At(200.5, 100.5))) << image.At(200.5, 100.5);
  EXPECT_TRUE(IsWhite(image.At(200.5, 98.5))) << "one pixel wide: " << image.At(200.5, 98.5);
  EXPECT_TRUE(IsWhite(image.At(200.5, 102.5))) << image.At(200.5, 102.5);
  EXPECT_TRUE(IsWhite(image.At(200, 200))) << "no fill: " << image.At(200, 200);
}

TEST_F(DrawingLooks, TheTextDrawnIsTheTextSaveWrites) {
  const std::string file = WriteDrawing("same.svg", kScaledRoot);
  ASSERT_EQ(Play("open " + file + "\nmenu\nselect 0 0\ntype pointYField -70\nsave " +
                 TempPath("same-saved.svg") + "\n"),
            0)
      << out.str();
  std::ifstream saved(TempPath("same-saved.svg"), std::ios::binary);
  std::ostringstream text;
  text << saved.rdbuf();
  EXPECT_EQ(session.DrawingText(), text.str());
}

TEST(DrawingPicture, TextLibrsvgCannotReadIsRefusedWithItsReason) {
  EXPECT_THROW(pictures::DrawingPicture("<svg", ""), pictures::PictureError);
  pictures::DrawingPictureCache cache;
  std::string error;
  EXPECT_EQ(cache.For("not xml", "", error), nullptr);
  EXPECT_NE(error.find("the drawing cannot be drawn"), std::string::npos) << error;
  const char kEmpty[] = "<svg xmlns=\"http://www.w3.org/2000/svg\"/>";
  const pictures::DrawingPicture* first = cache.For(kEmpty, "", error);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(cache.For(kEmpty, "", error), first) << "the same text is not read again";
}

}  // namespace
}  // namespace tavrix::app
