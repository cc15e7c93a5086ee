// Every label of the real palette reads whole: its text, in the font the picture uses, stays
// inside its item and stops short of the item beside it, in each mode and at each scale.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "pictures/DrawingTools.h"
#include "pictures/PaletteDrawing.h"
#include "pictures/PictureProbes.h"
#include "pictures/Pictures.h"
#include "session/Session.h"
#include "support/PluginBytes.h"

namespace tavrix::pictures {
namespace {

using host::HostDialog;
using host::HostItem;

// Every section open, long values: the fullest the palette gets.
constexpr char kFullPalette[] =
    "document mm\n"
    "path closed -1000 -1000 ; 100 200 in 90 200 out 130 240 ; 2000 3000 ; 2500 -10\n"
    "menu\n"
    "select 0 1\n"
    "click inOutSectionTriangle\n"
    "click pathSectionTriangle\n"
    "flyout 1\nflyout 1\nflyout 1\n";

class PaletteTextFit : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    std::istringstream script(std::string(kFullPalette) + "flyout " + GetParam() + "\n");
    ASSERT_EQ(session.Run(script, "full.tavrix"), 0) << out.str();
    palette = session.FindPalette();
    ASSERT_NE(palette, nullptr);
  }

  std::ostringstream out;
  app::Session session{{tavrix::test::PluginPath(), ""}, out};
  const HostDialog* palette = nullptr;
};

struct Ink {
  double left;
  double top;
  double right;
  double bottom;
};

// Where cairo puts the text's ink when it starts at the item's left edge on the baseline the
// picture uses (vertically centred in the item).
Ink InkOf(cairo_t* cr, const HostItem& item) {
  cairo_text_extents_t text{};
  cairo_text_extents(cr, DisplayText(item.text).c_str(), &text);
  cairo_font_extents_t font{};
  cairo_font_extents(cr, &font);
  const double height = item.bounds.bottom - item.bounds.top;
  const double baseline = item.bounds.top + (height + font.ascent - font.descent) / 2;
  const double left = item.bounds.left + text.x_bearing;
  const double top = baseline + text.y_bearing;
  return Ink{left, top, left + text.width, top + text.height};
}

TEST_P(PaletteTextFit, EveryLabelStaysInsideItsItemAndShortOfItsNeighbour) {
  const CairoCanvas canvas(CAIRO_FORMAT_RGB24, 4, 4);
  cairo_t* cr = canvas.cr();
  UseDialogFont(cr, false, PaletteFontSize(cr, *palette));
  int labels = 0;
  for (const auto& item : palette->items) {
    const auto room = TextRoom(*palette, *item);
    if (!room || item->text.empty()) continue;
    ++labels;
    const Ink ink = InkOf(cr, *item);
    SCOPED_TRACE("item " + std::to_string(item->id) + " \"" + item->text + "\"");
    EXPECT_LE(ink.right, room->left + room->width - 1.0) << "runs into the item beside it";
    EXPECT_LE(ink.right, item->bounds.right) << "overflows its item";
    EXPECT_GE(ink.top, item->bounds.top - 0.5) << "rises above its item";
    EXPECT_LE(ink.bottom, item->bounds.bottom + 0.5) << "hangs below its item";
  }
  EXPECT_GE(labels, 20);
}

// On the drawn picture: the column of pixels just before a neighbouring item is background all
// down a label's line, at every scale a picture is made at.
TEST_P(PaletteTextFit, NoLabelInkReachesTheItemBesideIt) {
  Scene scene;
  scene.palette = palette;
  for (int scale = 1; scale <= Image::kMaxScale; ++scale) {
    const Picture picture = Render(scene, Show::Palette, scale);
    const Box& client = picture.layout.paletteClient;
    for (const auto& item : palette->items) {
      const auto room = TextRoom(*palette, *item);
      if (!room || item->text.empty() || room->left + room->width >= item->bounds.right) continue;
      const int column = (client.left + room->left + room->width) * scale - 1;
      for (int y = (client.top + item->bounds.top) * scale;
           y < (client.top + item->bounds.bottom) * scale; ++y) {
        ASSERT_FALSE(test::IsDark(picture.image.Pixel(column, y)))
            << "\"" << item->text << "\" reaches its neighbour at scale " << scale << ", row " << y;
      }
    }
  }
}

// A dialog of static texts, made by hand, for the room and the size on their own.
class TextRooms : public ::testing::Test {
 protected:
  HostItem& Text(ADMRect bounds, const std::string& text) {
    auto item = std::make_unique<HostItem>();
    item->dialog = &dialog;
    item->id = static_cast<int32_t>(dialog.items.size() + 1);
    item->kind = host::ItemKind::StaticText;
    item->bounds = bounds;
    item->text = text;
    item->visible = true;
    dialog.items.push_back(std::move(item));
    return *dialog.items.back();
  }

  double FontSize() {
    const CairoCanvas canvas(CAIRO_FORMAT_RGB24, 4, 4);
    return PaletteFontSize(canvas.cr(), dialog);
  }

  HostDialog dialog;
};

TEST_F(TextRooms, EndWhereTheNextItemOnTheLineBegins) {
  HostItem& label = Text(ADMRect{4, 100, 127, 113}, "Keyboard Increment");
  Text(ADMRect{100, 100, 256, 113}, "1.000 pt");
  HostItem& alone = Text(ADMRect{4, 120, 67, 133}, "Path length");
  // A tall title above, whose bottom edge touches the next line, is not on it.
  HostItem& title = Text(ADMRect{24, 82, 174, 101}, "Hide Path Data");
  ASSERT_TRUE(TextRoom(dialog, label));
  EXPECT_EQ(TextRoom(dialog, label)->width, 96);
  EXPECT_EQ(TextRoom(dialog, alone)->width, 63);
  EXPECT_EQ(TextRoom(dialog, title)->width, 150);
  // A hidden neighbour takes no room.
  dialog.items[1]->visible = false;
  EXPECT_EQ(TextRoom(dialog, label)->width, 123);
}

TEST_F(TextRooms, TheFontFollowsTheBaseUnitsAndShrinksOnlyForATextThatWouldNotFit) {
  Text(ADMRect{4, 100, 200, 113}, "X");
  dialog.units = host::DialogUnitScale{6, 13};
  const double small = FontSize();
  dialog.units = host::DialogUnitScale{8, 18};
  const double large = FontSize();
  EXPECT_NEAR(large / small, 8.0 / 6.0, 0.01);

  dialog.units = host::DialogUnitScale{6, 13};
  Text(ADMRect{4, 120, 44, 133}, "A label far too long for its forty pixels");
  EXPECT_LT(FontSize(), small);
}

std::string ModeName(const ::testing::TestParamInfo<const char*>& mode) {
  return mode.param[0] == '4' ? "Absolute" : mode.param[0] == '5' ? "Relative" : "Polar";
}

// The flyout's entries 4, 5 and 6: Absolute, Relative, Polar.
INSTANTIATE_TEST_SUITE_P(EveryMode, PaletteTextFit, ::testing::Values("4", "5", "6"), ModeName);

}  // namespace
}  // namespace tavrix::pictures
