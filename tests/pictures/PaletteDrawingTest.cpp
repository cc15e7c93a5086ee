// The palette as drawn from the dialog manager's objects, checked at probe pixels.
#include <gtest/gtest.h>

#include <climits>

#include "palette/PaletteItems.h"
#include "pictures/DrawingTools.h"
#include "pictures/PictureProbes.h"
#include "pictures/Pictures.h"

namespace tavrix::pictures {
namespace {

using host::DrawOperation;
using host::HostItem;
using host::ItemKind;
using test::IsDark;
using test::IsGrey;
using test::IsWhite;

constexpr int kScale = 2;

class PaletteDrawing : public ::testing::Test {
 protected:
  PaletteDrawing() {
    dialog.name = kPaletteDialogName;
    dialog.caption = "Tavrix";
    dialog.style = kADMFloatingDialogStyle;
    dialog.bounds = ADMRect{40, 40, 240, 160};
    dialog.visible = true;
  }

  HostItem& Add(ItemKind kind, ADMRect bounds, const std::string& text = "") {
    auto item = std::make_unique<HostItem>();
    item->dialog = &dialog;
    item->id = static_cast<int32_t>(dialog.items.size() + 1);
    item->kind = kind;
    item->bounds = bounds;
    item->text = text;
    dialog.items.push_back(std::move(item));
    return *dialog.items.back();
  }

  void AddFlyout(const std::vector<host::HostEntry>& entries) {
    dialog.flyout = std::make_unique<HostItem>();
    dialog.flyout->kind = ItemKind::List;
    dialog.flyout->list = std::make_unique<host::HostList>();
    dialog.flyout->list->entries = entries;
  }

  Picture Draw(bool flyout = false) {
    Scene scene;
    scene.palette = &dialog;
    scene.flyoutOpen = flyout;
    return Render(scene, Show::Palette, kScale);
  }

  // A point of the client area, where items' bounds are measured from.
  static Rgb At(const Picture& picture, double x, double y) {
    return picture.image.At(picture.layout.paletteClient.left + x,
                            picture.layout.paletteClient.top + y);
  }

  host::HostDialog dialog;
};

// The middle of the long stroke of a check mark drawn in a 12-pixel box at (left, top).
constexpr double kMarkX = 7.32;
constexpr double kMarkY = 6.0;

TEST_F(PaletteDrawing, ACheckBoxShowsItsMarkOnlyWhenChecked) {
  HostItem& checked = Add(ItemKind::CheckBox, {10, 10, 22, 26});
  checked.booleanValue = true;
  Add(ItemKind::CheckBox, {40, 10, 52, 26});
  HostItem& disabled = Add(ItemKind::CheckBox, {70, 10, 82, 26});
  disabled.booleanValue = true;
  disabled.enabled = false;
  const Picture picture = Draw();
  // Each 12-pixel box is centred in its 16-pixel height: its top is at 12.
  EXPECT_TRUE(IsDark(At(picture, 10 + kMarkX, 12 + kMarkY))) << At(picture, 10 + kMarkX, 18);
  EXPECT_TRUE(IsWhite(At(picture, 40 + kMarkX, 12 + kMarkY))) << At(picture, 40 + kMarkX, 18);
  const Rgb greyed = At(picture, 70 + kMarkX, 12 + kMarkY);
  EXPECT_FALSE(IsDark(greyed)) << greyed;
  EXPECT_FALSE(IsWhite(greyed)) << greyed;
}

TEST_F(PaletteDrawing, FieldsAreWhiteWhenEnabledAndGreyWhenDisabled) {
  Add(ItemKind::EditField, {10, 40, 110, 60}, "12 pt");
  HostItem& disabled = Add(ItemKind::EditField, {120, 40, 190, 60}, "3 pt");
  disabled.enabled = false;
  const Picture picture = Draw();
  EXPECT_TRUE(IsWhite(At(picture, 100.5, 45.5))) << At(picture, 100.5, 45.5);
  EXPECT_TRUE(IsGrey(At(picture, 180.5, 45.5))) << At(picture, 180.5, 45.5);
  // The text is drawn inside the box, from its left.
  bool inked = false;
  for (double x = 13; x < 30; x += 0.5) inked = inked || IsDark(At(picture, x, 50));
  EXPECT_TRUE(inked);
}

TEST_F(PaletteDrawing, ItemsThatCannotBeSeenLeaveTheBackground) {
  Add(ItemKind::EditField, {10, 70, 110, 90}).visible = false;
  Add(ItemKind::EditField, {10, 10, 110, 30}).destroyed = true;
  Add(ItemKind::EditField, {10, 40, 10, 60});  // no width
  const Picture picture = Draw();
  const Rgb background = At(picture, 150, 80);
  EXPECT_EQ(At(picture, 50, 80), background);
  EXPECT_EQ(At(picture, 50, 20), background);
  EXPECT_EQ(At(picture, 10.5, 50), background);
}

TEST_F(PaletteDrawing, CustomDrawingIsReplayedWhereTheItemIsNow) {
  // A disclosure triangle drawn at (4, 6), then moved 96 pixels right without a redraw.
  HostItem& triangle = Add(ItemKind::Picture, {100, 6, 124, 29});
  triangle.lastDrawingBounds = ADMRect{4, 6, 28, 29};
  triangle.lastDrawing = {
      {DrawOperation::Kind::Default, kADMBlackColor, kADMNormalMode, {}, {4, 6, 28, 29}},
      {DrawOperation::Kind::FillRect, kADMBackgroundColor, kADMNormalMode, {}, {4, 6, 28, 29}},
      {DrawOperation::Kind::FillPolygon,
       kADMBlackColor,
       kADMNormalMode,
       {{6, 8}, {16, 8}, {11, 18}, {6, 8}},
       {}}};
  Picture picture = Draw();
  EXPECT_TRUE(IsDark(At(picture, 107, 11))) << At(picture, 107, 11);
  EXPECT_FALSE(IsDark(At(picture, 11, 11)));
  // Its own background covers the standard look the default drawing put under it.
  EXPECT_FALSE(IsDark(At(picture, 100.5, 28.5)));

  triangle.enabled = false;
  picture = Draw();
  EXPECT_FALSE(IsDark(At(picture, 107, 11))) << "a disabled item's drawing is dimmed";
}

TEST_F(PaletteDrawing, ACollapsedPaletteShowsItsTitleBarAlone) {
  Add(ItemKind::EditField, {10, 40, 110, 60}, "12 pt");
  dialog.collapsed = true;
  const Picture picture = Draw();
  EXPECT_EQ(picture.layout.paletteFrame.height, 20);  // a border either side of the title bar
  EXPECT_EQ(picture.layout.paletteClient.height, 0);
  EXPECT_LT(picture.image.height(), 60);
  // The title is written in the bar.
  bool inked = false;
  const Box& frame = picture.layout.paletteFrame;
  for (double x = frame.left + 6; x < frame.left + 40; x += 0.5)
    inked = inked || IsDark(picture.image.At(x, frame.top + 10));
  EXPECT_TRUE(inked);
}

TEST_F(PaletteDrawing, TheFlyoutMenuIsDrawnWhenAskedWithItsChecksAndGreyedEntries) {
  host::HostEntry separator;
  separator.separator = true;
  host::HostEntry beta{2, "Beta", true, true, false};
  host::HostEntry gamma{4, "Gamma", false, true, false};
  AddFlyout({{1, "Alpha", true, false, false}, beta, separator, gamma});

  const Picture closed = Draw(false);
  const Picture open = Draw(true);
  ASSERT_TRUE(open.layout.showsFlyout);
  EXPECT_FALSE(closed.layout.showsFlyout);
  const Box& menu = open.layout.flyoutMenu;
  EXPECT_EQ(menu.height, 3 + 18 + 18 + 7 + 18 + 3);
  // The menu hangs from the flyout button in the title bar.
  EXPECT_EQ(menu.top, open.layout.paletteFrame.top + 19);
  EXPECT_EQ(menu.left + menu.width, open.layout.flyoutButton.left + open.layout.flyoutButton.width);

  const auto markAt = [&](const Picture& p, int rowTop) {
    return p.image.At(menu.left + 5 + kMarkX, rowTop + 3 + kMarkY);
  };
  const int alphaRow = menu.top + 3;
  const int betaRow = alphaRow + 18;
  const int gammaRow = betaRow + 18 + 7;
  EXPECT_TRUE(IsWhite(markAt(open, alphaRow))) << markAt(open, alphaRow);
  EXPECT_TRUE(IsDark(markAt(open, betaRow))) << markAt(open, betaRow);
  EXPECT_FALSE(IsDark(markAt(open, gammaRow))) << "a disabled entry's mark is greyed";
  EXPECT_FALSE(IsWhite(markAt(open, gammaRow)));
  // Closed, the same place is the palette's own background.
  EXPECT_FALSE(IsWhite(markAt(closed, alphaRow)));
  EXPECT_FALSE(IsDark(markAt(closed, betaRow)));
}

TEST_F(PaletteDrawing, AFlyoutMenuOfAPaletteThatCannotShowItIsRefused) {
  AddFlyout({{1, "Alpha", true, false, false}});
  dialog.collapsed = true;
  try {
    Draw(true);
    FAIL() << "a collapsed palette's menu was drawn";
  } catch (const PictureError& error) {
    EXPECT_STREQ(error.what(), "cannot show the flyout menu: the palette is collapsed");
  }
  dialog.collapsed = false;
  dialog.visible = false;
  EXPECT_THROW(Draw(true), PictureError);
  EXPECT_THROW(Draw(false), PictureError);  // nothing of a hidden palette to draw
}

TEST_F(PaletteDrawing, BadTextsAndAbsurdGeometryAreDrawnOrRefusedNeverCrash) {
  Add(ItemKind::StaticText, {10, 10, 190, 30}, "\xB0\xFF\xE2\x82 cut \r\n\x7F");
  Add(ItemKind::EditField, {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, "\xC0\xAF");
  HostItem& wild = Add(ItemKind::Picture, {0, 0, 50, 50});
  wild.lastDrawing = {{DrawOperation::Kind::FillPolygon,
                       12345,
                       kADMNormalMode,
                       {{INT32_MIN, 0}, {INT32_MAX, INT32_MAX}, {0, INT32_MIN}},
                       {}},
                      {DrawOperation::Kind::FillPolygon, 0, 0, {{1, 1}}, {}},
                      {DrawOperation::Kind::Line, 0, 0, {{INT32_MIN, 5}}, {}},
                      {DrawOperation::Kind::FillRect, 0, 0, {}, {30, 30, 10, 10}}};
  EXPECT_NO_THROW(Draw());
  dialog.bounds = ADMRect{100, 100, 50, 50};  // inverted: no client area
  EXPECT_NO_THROW(Draw());
  dialog.bounds = ADMRect{0, 0, INT32_MAX, 100};
  try {
    Draw();
    FAIL() << "a palette wider than any screen was drawn";
  } catch (const PictureError& error) {
    EXPECT_NE(std::string(error.what()).find("too large to draw"), std::string::npos);
  }
}

TEST(DisplayText, KeepsUtf8AndReadsOtherBytesAsLatin1) {
  EXPECT_EQ(DisplayText("-153.435\xC2\xB0"), "-153.435\xC2\xB0");
  EXPECT_EQ(DisplayText("90\xB0"), "90\xC2\xB0");
  EXPECT_EQ(DisplayText("a\rb\tc"), "a b c");
  // A sequence cut short, an overlong form and a surrogate are not UTF-8.
  EXPECT_EQ(DisplayText("\xE2\x82"), "\xC3\xA2\xC2\x82");
  EXPECT_EQ(DisplayText("\xC0\xAF"), "\xC3\x80\xC2\xAF");
  EXPECT_EQ(DisplayText("\xED\xA0\x80"), "\xC3\xAD\xC2\xA0\xC2\x80");
}

}  // namespace
}  // namespace tavrix::pictures
