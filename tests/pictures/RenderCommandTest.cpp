// The session's render command: pictures of a live session, read back from the PNG files.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <sstream>

#include "pictures/PictureProbes.h"
#include "pictures/Pictures.h"
#include "session/Session.h"
#include "support/PluginBytes.h"

namespace tavrix::app {
namespace {

using pictures::Image;
using pictures::Rgb;
using pictures::test::IsCurrentPointOrange;
using pictures::test::IsDark;
using pictures::test::IsSelectionBlue;
using pictures::test::IsWhite;

// A path across the top of the window, its middle point selected in the palette.
constexpr char kStart[] =
    "document pt\n"
    "path 100 -100 ; 200 -100 in 180 -120 out 220 -80 ; 300 -100\n"
    "menu\n"
    "select 0 1\n";

std::string TempPng(const std::string& name) {
  return (tavrix::test::TempFolder() / name).string();
}

class RenderCommand : public ::testing::Test {
 protected:
  int Play(const std::string& script) {
    std::istringstream in(script);
    return session.Run(in, "render.tavrix");
  }

  // The picture's plan for the session as it is now, as the command makes it.
  pictures::Layout Plan(pictures::Show show, bool flyout = false) {
    pictures::Scene scene;
    for (host::HostDialog* dialog : session.host().dialogs().OpenDialogs())
      if (dialog->caption == "Tavrix") scene.palette = dialog;
    scene.document = session.host().document();
    scene.view = &session.host().view();
    scene.flyoutOpen = flyout;
    return pictures::PlanPicture(scene, show);
  }

  host::HostItem& PaletteItem(int id) {
    for (host::HostDialog* dialog : session.host().dialogs().OpenDialogs()) {
      if (host::HostItem* item = session.host().dialogs().ItemWithId(*dialog, id)) return *item;
    }
    throw std::runtime_error("no item " + std::to_string(id));
  }

  std::ostringstream out;
  Session session{{tavrix::test::PluginPath(), ""}, out};
};

// Whether any device pixel around the screen point is dark: a thin diagonal stroke covers
// the pixels along it only in part.
bool DarkNear(const Image& image, double x, double y) {
  const int cx = static_cast<int>(x * image.scale());
  const int cy = static_cast<int>(y * image.scale());
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx)
      if (IsDark(image.Pixel(cx + dx, cy + dy))) return true;
  return false;
}

TEST_F(RenderCommand, DrawsTheArtworkAndThePaletteAndSaysWhatItWrote) {
  const std::string file = TempPng("both.png");
  ASSERT_EQ(Play(std::string(kStart) + "render " + file + "\n"), 0) << out.str();
  const pictures::Layout layout = Plan(pictures::Show::Both);
  const Image image = Image::ReadPng(file, 2);
  EXPECT_EQ(image.width(), layout.width);
  EXPECT_EQ(image.height(), layout.height);
  EXPECT_NE(out.str().find("wrote " + file + ": the artwork and the palette, " +
                           std::to_string(2 * layout.width) + " x " +
                           std::to_string(2 * layout.height) + " pixels (scale 2)\n"),
            std::string::npos)
      << out.str();

  // The selected anchor at view pixel (200, 100), ringed as the palette's current point.
  const double h = layout.artwork.left + 200.5;
  const double v = layout.artwork.top + 100.5;
  EXPECT_TRUE(IsSelectionBlue(image.At(h - 1.8, v - 1.8))) << image.At(h - 1.8, v - 1.8);
  EXPECT_TRUE(IsCurrentPointOrange(image.At(h, v - 6.5))) << image.At(h, v - 6.5);
  // Its in handle's end, at view pixel (180, 120).
  EXPECT_TRUE(IsSelectionBlue(image.At(layout.artwork.left + 180.5, layout.artwork.top + 120.5)));

  // The palette beside it: the X field is a white box.
  ASSERT_GT(layout.paletteFrame.left, layout.artwork.left + layout.artwork.width);
  const ADMRect& x = PaletteItem(6).bounds;
  EXPECT_TRUE(IsWhite(
      image.At(layout.paletteClient.left + x.right - 2.5, layout.paletteClient.top + x.top + 3.5)));
}

TEST_F(RenderCommand, DirectionMarksShowAfterTheRedrawThatDrewThem) {
  ASSERT_EQ(Play(std::string(kStart) + "flyout 12\nrender " + TempPng("marks.png") + " artwork\n"),
            0)
      << out.str();
  const std::vector<host::ViewStroke> strokes = session.host().view().strokes();
  ASSERT_FALSE(strokes.empty());
  ASSERT_EQ(Play("flyout 12\nrender " + TempPng("no-marks.png") + " artwork\n"), 0) << out.str();
  const Image marked = Image::ReadPng(TempPng("marks.png"), 2);
  const Image plain = Image::ReadPng(TempPng("no-marks.png"), 2);
  for (const host::ViewStroke& stroke : strokes) {
    const double x = (stroke.from.h + stroke.to.h) / 2.0 + 0.5;
    const double y = (stroke.from.v + stroke.to.v) / 2.0 + 0.5;
    EXPECT_TRUE(DarkNear(marked, x, y)) << "stroke middle " << x << ", " << y;
    EXPECT_FALSE(DarkNear(plain, x, y)) << "stroke middle " << x << ", " << y;
  }
}

TEST_F(RenderCommand, ZoomAndScrollMoveTheAnchorInThePicture) {
  ASSERT_EQ(Play(std::string(kStart) + "zoom 2\nscroll 150 0\nrender " + TempPng("zoomed.png") +
                 " artwork scale 1\n"),
            0)
      << out.str();
  const Image image = Image::ReadPng(TempPng("zoomed.png"));
  // (200, -100) is now at ((200 - 150) * 2, 100 * 2).
  EXPECT_TRUE(IsSelectionBlue(image.At(100.5 - 1.8, 200.5 - 1.8))) << image.At(98.7, 198.7);
  EXPECT_TRUE(IsWhite(image.At(200.5, 94)));
}

TEST_F(RenderCommand, TheFlyoutWordOpensTheMenuInThePicture) {
  const std::string open = TempPng("flyout.png");
  const std::string closed = TempPng("palette.png");
  ASSERT_EQ(Play(std::string(kStart) + "render " + open + " palette flyout\nrender " + closed +
                 " palette\n"),
            0)
      << out.str();
  EXPECT_NE(out.str().find("the palette with its flyout menu open,"), std::string::npos);
  const pictures::Layout layout = Plan(pictures::Show::Palette, true);
  const Image withMenu = Image::ReadPng(open, 2);
  const Image without = Image::ReadPng(closed, 2);
  EXPECT_GT(withMenu.height(), without.height()) << "the menu reaches below the palette";
  // Right of the first entry's words: the menu's light face, or the palette's own background.
  const double x = layout.flyoutMenu.left + layout.flyoutMenu.width - 5;
  const double y = layout.flyoutMenu.top + 10;
  EXPECT_TRUE(IsWhite(withMenu.At(x, y))) << withMenu.At(x, y);
  EXPECT_FALSE(IsWhite(without.At(x, y))) << without.At(x, y);
}

TEST(RenderProblems, AreToldPlainlyAndStopTheScript) {
  const std::string missing = TempPng("no-such-folder");
  std::filesystem::create_directories(TempPng("folder.png"));
  // A pipe named like a picture would keep the session waiting for a reader for ever.
  const std::string pipe = TempPng("pipe.png");
  std::filesystem::remove(pipe);
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  const struct {
    std::string lines;
    std::string message;
  } cases[] = {
      {"render " + missing + "/x.png", "cannot write the picture to '" + missing +
                                           "/x.png': the folder '" + missing + "' does not exist"},
      {"render " + TempPng("folder.png"), "': it is a folder"},
      {"render " + pipe, "cannot write the picture to '" + pipe + "': it is not a regular file"},
      {"render x.png scale 0x2", "expected a scale, found '0x2'"},
      {"render x.png scale \" 2\"", "expected a scale, found ' 2'"},
      {"render " + TempPng("x.jpg"), "render writes PNG pictures: name the file FILE.png"},
      {"render", "usage: render FILE.png [palette|artwork|both] [flyout] [scale 1-4]"},
      {"render x.png sideways", "usage: render"},
      {"render x.png palette artwork", "usage: render"},
      {"render x.png scale 9", "usage: render"},
      {"render x.png artwork flyout", "the flyout menu belongs to the palette"},
      {"window collapse\nrender x.png palette flyout",
       "cannot show the flyout menu: the palette is collapsed"},
      {"window hide\nrender x.png palette", "the palette is hidden"},
      {"close-document\nrender x.png artwork", "there is no document to draw"},
      {"close-document\nwindow hide\nrender x.png",
       "there is nothing to draw: there is no document and the palette is hidden"},
  };
  for (const auto& c : cases) {
    std::ostringstream output;
    Session fresh({tavrix::test::PluginPath(), ""}, output);
    std::istringstream in(std::string(kStart) + c.lines + "\nexpect alerts 0\n");
    EXPECT_EQ(fresh.Run(in, "t.tavrix"), 1) << c.lines;
    EXPECT_NE(output.str().find(c.message), std::string::npos) << output.str();
  }
  EXPECT_FALSE(std::filesystem::exists(TempPng("x.jpg")));
}

TEST_F(RenderCommand, WhatCannotBeSeenIsLeftOutOfBothAndSaidSo) {
  ASSERT_EQ(Play(std::string(kStart) + "window hide\nrender " + TempPng("hidden.png") + "\n"), 0)
      << out.str();
  EXPECT_NE(out.str().find(": the artwork (the palette is hidden), 2048 x 1536 pixels"),
            std::string::npos)
      << out.str();
}

TEST_F(RenderCommand, RelativeNamesAreInTheCurrentFolder) {
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(tavrix::test::TempFolder());
  const int code = Play(std::string(kStart) + "render relative.png artwork\n");
  std::filesystem::current_path(before);
  EXPECT_EQ(code, 0) << out.str();
  EXPECT_TRUE(std::filesystem::exists(tavrix::test::TempFolder() / "relative.png"));
}

}  // namespace
}  // namespace tavrix::app
