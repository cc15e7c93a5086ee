#include "pictures/PaletteDrawing.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

#include "pictures/CairoHandles.h"
#include "pictures/DrawingTools.h"

namespace tavrix::pictures {
namespace {

using host::DrawOperation;
using host::HostItem;
using host::ItemKind;

// A palette larger than any screen is a plug-in's mistake, not something to allocate for.
constexpr int64_t kLargestPalette = 8192;
// Plug-in drawing coordinates are 32-bit; cairo's reach is far less.
constexpr double kCoordinateLimit = 100000.0;

constexpr int kMenuRowHeight = 18;
constexpr int kMenuSeparatorHeight = 7;
constexpr int kMenuPadding = 3;
constexpr int kMenuCheckColumn = 22;

constexpr Colour kTitleTop{0.840, 0.840, 0.840};
constexpr Colour kTitleBottom{0.760, 0.760, 0.760};
constexpr Colour kFrame{0.330, 0.330, 0.330};
constexpr Colour kButtonFace{0.960, 0.960, 0.960};
constexpr Colour kPressedFace{0.660, 0.660, 0.660};
constexpr Colour kGrooveDark{0.640, 0.640, 0.640};
constexpr Colour kMenuFace{0.985, 0.985, 0.985};

double Coordinate(int32_t value) {
  return std::clamp(static_cast<double>(value), -kCoordinateLimit, kCoordinateLimit);
}

struct Rect {
  double left;
  double top;
  double width;
  double height;
};

Rect RectOf(const Box& box) {
  return Rect{static_cast<double>(box.left), static_cast<double>(box.top),
              static_cast<double>(box.width), static_cast<double>(box.height)};
}

Rect ItemRect(const HostItem& item) {
  const double left = Coordinate(item.bounds.left);
  const double top = Coordinate(item.bounds.top);
  return Rect{left, top, Coordinate(item.bounds.right) - left,
              Coordinate(item.bounds.bottom) - top};
}

Align AlignOf(int32_t justify) {
  if (justify == kADMCenterJustify) return Align::Centre;
  if (justify == kADMRightJustify) return Align::Right;
  return Align::Left;
}

void FillRect(cairo_t* cr, const Rect& r, const Colour& colour) {
  SetColour(cr, colour);
  cairo_rectangle(cr, r.left, r.top, r.width, r.height);
  cairo_fill(cr);
}

// A small filled triangle pointing up, down or right inside the box.
enum class Pointing { Up, Down, Right };
void Triangle(cairo_t* cr, double cx, double cy, double size, Pointing pointing,
              const Colour& colour) {
  const double half = size / 2;
  SetColour(cr, colour);
  if (pointing == Pointing::Up) {
    cairo_move_to(cr, cx - half, cy + half / 2);
    cairo_line_to(cr, cx + half, cy + half / 2);
    cairo_line_to(cr, cx, cy - half / 2);
  } else if (pointing == Pointing::Down) {
    cairo_move_to(cr, cx - half, cy - half / 2);
    cairo_line_to(cr, cx + half, cy - half / 2);
    cairo_line_to(cr, cx, cy + half / 2);
  } else {
    cairo_move_to(cr, cx - half / 2, cy - half);
    cairo_line_to(cr, cx - half / 2, cy + half);
    cairo_line_to(cr, cx + half / 2, cy);
  }
  cairo_close_path(cr);
  cairo_fill(cr);
}

void CheckMark(cairo_t* cr, double left, double top, double size, const Colour& colour) {
  SetColour(cr, colour);
  cairo_set_line_width(cr, size / 6);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_move_to(cr, left + size * 0.22, top + size * 0.52);
  cairo_line_to(cr, left + size * 0.42, top + size * 0.74);
  cairo_line_to(cr, left + size * 0.80, top + size * 0.26);
  cairo_stroke(cr);
}

void FieldBox(cairo_t* cr, const Rect& r, bool enabled) {
  FillRect(cr, r, enabled ? kWhite : kDisabledFill);
  StrokePixelRect(cr, r.left, r.top, r.left + r.width, r.top + r.height, kBorder);
}

void ButtonBox(cairo_t* cr, const Rect& r, bool enabled) {
  FillRect(cr, r, enabled ? kButtonFace : kDisabledFill);
  StrokePixelRect(cr, r.left, r.top, r.left + r.width, r.top + r.height, kBorder);
}

void DrawField(cairo_t* cr, const HostItem& item, const Rect& r) {
  FieldBox(cr, r, item.enabled);
  DrawText(cr, item.text, r.left + 3, r.top + 1, r.width - 6, r.height - 2, AlignOf(item.justify),
           item.enabled ? kText : kGreyText);
}

void DrawCheckBox(cairo_t* cr, const HostItem& item, const Rect& r) {
  const double size = std::min(12.0, std::min(r.width, r.height));
  const double top = std::floor(r.top + (r.height - size) / 2);
  const Rect box{r.left, top, size, size};
  FieldBox(cr, box, item.enabled);
  if (item.booleanValue) CheckMark(cr, box.left, box.top, size, item.enabled ? kText : kGreyText);
  // A box narrowed to its square, with its words in a label beside it, shows no cut-off text.
  const double room = r.width - size - 4;
  if (TextWidth(cr, item.text) <= room)
    DrawText(cr, item.text, r.left + size + 4, r.top, room, r.height, Align::Left,
             item.enabled ? kText : kGreyText);
}

void DrawSeparator(cairo_t* cr, const Rect& r) {
  cairo_set_line_width(cr, 1.0);
  if (r.width >= r.height) {
    const double y = std::floor(r.top + r.height / 2);
    FillRect(cr, Rect{r.left, y, r.width, 1}, kGrooveDark);
    FillRect(cr, Rect{r.left, y + 1, r.width, 1}, kWhite);
  } else {
    const double x = std::floor(r.left + r.width / 2);
    FillRect(cr, Rect{x, r.top, 1, r.height}, kGrooveDark);
    FillRect(cr, Rect{x + 1, r.top, 1, r.height}, kWhite);
  }
}

void DrawSpinArrows(cairo_t* cr, const Rect& r, bool enabled) {
  const double upper = std::floor(r.height / 2);
  const Rect up{r.left, r.top, r.width, upper};
  const Rect down{r.left, r.top + upper, r.width, r.height - upper};
  const double size = std::max(3.0, std::min(7.0, r.width - 5));
  const Colour mark = enabled ? kText : kGreyText;
  ButtonBox(cr, up, enabled);
  Triangle(cr, up.left + up.width / 2, up.top + up.height / 2, size, Pointing::Up, mark);
  ButtonBox(cr, down, enabled);
  Triangle(cr, down.left + down.width / 2, down.top + down.height / 2, size, Pointing::Down, mark);
}

void DrawSpin(cairo_t* cr, const HostItem& item, const Rect& r) {
  // A spin with its own text is a field with arrows at its right; without, arrows only.
  if (item.textPart && !item.textPart->text.empty() && r.width > 24) {
    constexpr double kArrows = 13;
    DrawField(cr, *item.textPart, Rect{r.left, r.top, r.width - kArrows + 1, r.height});
    DrawSpinArrows(cr, Rect{r.left + r.width - kArrows, r.top, kArrows, r.height}, item.enabled);
    return;
  }
  DrawSpinArrows(cr, r, item.enabled);
}

void DrawButton(cairo_t* cr, const HostItem& item, const Rect& r) {
  ButtonBox(cr, r, item.enabled);
  DrawText(cr, item.text, r.left + 2, r.top, r.width - 4, r.height, Align::Centre,
           item.enabled ? kText : kGreyText);
}

void DrawPopup(cairo_t* cr, const HostItem& item, const Rect& r) {
  ButtonBox(cr, r, item.enabled);
  std::string shown = item.text;
  if (item.list && item.list->activeIndex >= 0 &&
      static_cast<size_t>(item.list->activeIndex) < item.list->entries.size()) {
    shown = item.list->entries[static_cast<size_t>(item.list->activeIndex)].text;
  }
  DrawText(cr, shown, r.left + 4, r.top, r.width - 18, r.height, Align::Left,
           item.enabled ? kText : kGreyText);
  Triangle(cr, r.left + r.width - 8, r.top + r.height / 2, 7, Pointing::Down,
           item.enabled ? kText : kGreyText);
}

// How the dialog manager draws an item that draws nothing of its own.
void DrawStandardLook(cairo_t* cr, const HostItem& item, const Rect& r) {
  const Colour text = item.enabled ? kText : kGreyText;
  switch (item.kind) {
    case ItemKind::StaticText:
      DrawText(cr, item.text, r.left, r.top, r.width, r.height, AlignOf(item.justify), text);
      break;
    case ItemKind::EditField:
    case ItemKind::SpinText:
      DrawField(cr, item, r);
      break;
    case ItemKind::CheckBox:
      DrawCheckBox(cr, item, r);
      break;
    case ItemKind::Separator:
      DrawSeparator(cr, r);
      break;
    case ItemKind::Spin:
      DrawSpin(cr, item, r);
      break;
    case ItemKind::List:
      DrawPopup(cr, item, r);
      break;
    case ItemKind::Picture:
    case ItemKind::Button:
      DrawButton(cr, item, r);
      break;
  }
}

bool DrawsItself(const HostItem& item) {
  return std::any_of(item.lastDrawing.begin(), item.lastDrawing.end(), [](const DrawOperation& op) {
    return op.kind != DrawOperation::Kind::Default;
  });
}

// One operation of a plug-in's own drawing, in dialog coordinates.
void DrawOperationShape(cairo_t* cr, const DrawOperation& op) {
  switch (op.kind) {
    case DrawOperation::Kind::Default:
      break;
    case DrawOperation::Kind::FillRect: {
      const double left = Coordinate(op.rect.left);
      const double top = Coordinate(op.rect.top);
      const double right = Coordinate(op.rect.right);
      const double bottom = Coordinate(op.rect.bottom);
      if (right > left && bottom > top)
        FillRect(cr, Rect{left, top, right - left, bottom - top}, AdmColour(op.color));
      break;
    }
    case DrawOperation::Kind::FillPolygon:
      if (op.points.size() < 3) break;
      SetColour(cr, AdmColour(op.color));
      cairo_move_to(cr, Coordinate(op.points[0].h), Coordinate(op.points[0].v));
      for (size_t i = 1; i < op.points.size(); ++i)
        cairo_line_to(cr, Coordinate(op.points[i].h), Coordinate(op.points[i].v));
      cairo_close_path(cr);
      cairo_fill(cr);
      break;
    case DrawOperation::Kind::Line:
      if (op.points.size() != 2) break;
      SetColour(cr, AdmColour(op.color));
      cairo_set_line_width(cr, 1.0);
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_SQUARE);
      cairo_move_to(cr, Coordinate(op.points[0].h) + 0.5, Coordinate(op.points[0].v) + 0.5);
      cairo_line_to(cr, Coordinate(op.points[1].h) + 0.5, Coordinate(op.points[1].v) + 0.5);
      cairo_stroke(cr);
      break;
  }
}

// The item's last drawing again, in the order it was drawn; "default" is the standard look.
// An item moved since it was drawn is drawn where it is now, as a screen would redraw it.
void Replay(cairo_t* cr, const HostItem& item, const Rect& r) {
  const ADMRect& then = item.lastDrawingBounds;
  const bool recorded = then.left != 0 || then.top != 0 || then.right != 0 || then.bottom != 0;
  const double dx = recorded ? r.left - Coordinate(then.left) : 0;
  const double dy = recorded ? r.top - Coordinate(then.top) : 0;
  for (const DrawOperation& op : item.lastDrawing) {
    if (op.kind == DrawOperation::Kind::Default) {
      DrawStandardLook(cr, item, r);
      continue;
    }
    cairo_save(cr);
    cairo_translate(cr, dx, dy);
    DrawOperationShape(cr, op);
    cairo_restore(cr);
  }
  // A disabled item that draws itself is dimmed the way the dialog manager dims one.
  if (!item.enabled) {
    cairo_set_source_rgba(cr, kPanel.r, kPanel.g, kPanel.b, 0.55);
    cairo_rectangle(cr, r.left, r.top, r.width, r.height);
    cairo_fill(cr);
  }
}

void DrawItem(cairo_t* cr, const HostItem& item) {
  const Rect r = ItemRect(item);
  if (r.width <= 0 || r.height <= 0) return;
  // Whatever an item draws stays inside it, as with a drawer on a screen.
  cairo_save(cr);
  cairo_rectangle(cr, r.left, r.top, r.width, r.height);
  cairo_clip(cr);
  if (DrawsItself(item)) {
    Replay(cr, item, r);
  } else {
    DrawStandardLook(cr, item, r);
  }
  cairo_restore(cr);
}

void DrawTitleBar(cairo_t* cr, const host::HostDialog& palette, const PaletteGeometry& g) {
  const CairoPattern shade(cairo_pattern_create_linear(0, 1, 0, 1 + kTitleBarHeight));
  cairo_pattern_add_color_stop_rgb(shade.get(), 0, kTitleTop.r, kTitleTop.g, kTitleTop.b);
  cairo_pattern_add_color_stop_rgb(shade.get(), 1, kTitleBottom.r, kTitleBottom.g, kTitleBottom.b);
  cairo_set_source(cr, shade.get());
  cairo_rectangle(cr, 1, 1, g.frameWidth - 2, kTitleBarHeight);
  cairo_fill(cr);

  // The collapse box: a bar in a small square, left of the flyout button.
  const Box& b = g.flyoutButton;
  const Rect collapse = RectOf(g.collapseBox);
  StrokePixelRect(cr, collapse.left, collapse.top, collapse.left + collapse.width,
                  collapse.top + collapse.height, kBorder);
  FillRect(cr, Rect{collapse.left + 3, collapse.top + 5, 5, 1}, kText);

  // The flyout button: a small triangle beside three lines, pressed while its menu is open.
  if (palette.flyout) {
    if (g.flyoutMenu.width > 0) FillRect(cr, RectOf(b), kPressedFace);
    Triangle(cr, b.left + 4.5, b.top + b.height / 2.0, 5, Pointing::Right, kText);
    for (int i = 0; i < 3; ++i) FillRect(cr, Rect{b.left + 8.0, b.top + 4.0 + 3 * i, 6, 1}, kText);
  }

  const std::string& title = palette.caption.empty() ? palette.name : palette.caption;
  UseDialogFont(cr, true);
  DrawText(cr, title, 6, 1, collapse.left - 10, kTitleBarHeight, Align::Left, kText);
  UseDialogFont(cr);
}

void DrawFlyoutMenu(cairo_t* cr, const host::HostList& list, const Box& menu) {
  const Rect r = RectOf(menu);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.25);
  cairo_rectangle(cr, r.left + 3, r.top + 3, r.width, r.height);
  cairo_fill(cr);
  FillRect(cr, r, kMenuFace);
  StrokePixelRect(cr, r.left, r.top, r.left + r.width, r.top + r.height, kBorder);
  const std::vector<Box> rows = FlyoutRows(list, menu);
  for (size_t i = 0; i < rows.size(); ++i) {
    const host::HostEntry& entry = list.entries[i];
    const double y = rows[i].top;
    if (entry.separator) {
      // The groove on the row's middle pixel row, rounded down.
      const double middle = y + static_cast<double>(kMenuSeparatorHeight / 2);
      FillRect(cr, Rect{r.left + 4, middle, r.width - 8, 1}, kGrooveDark);
      continue;
    }
    const Colour colour = entry.enabled ? kText : kGreyText;
    if (entry.checked) CheckMark(cr, r.left + 5, y + 3, 12, colour);
    DrawText(cr, entry.text, r.left + kMenuCheckColumn, y, r.width - kMenuCheckColumn - 4,
             kMenuRowHeight, Align::Left, colour);
  }
}

// What the nominal font size is measured on: the letters the base units average.
constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr double kLabelGap = 2;  // pixels kept between a label and the item beside it
constexpr double kSmallestText = 6;

// Two items on one line: either's middle, where text is set, lies within the other's height.
// Tall items that merely touch the next line's are not level with it.
bool Level(const ADMRect& a, const ADMRect& b) {
  const auto within = [](int64_t twiceMiddle, const ADMRect& r) {
    return twiceMiddle > 2 * int64_t{r.top} && twiceMiddle < 2 * int64_t{r.bottom};
  };
  return within(int64_t{a.top} + a.bottom, b) || within(int64_t{b.top} + b.bottom, a);
}

int ClientExtent(int32_t low, int32_t high, const char* what) {
  const int64_t extent = std::max<int64_t>(0, int64_t{high} - low);
  if (extent > kLargestPalette)
    throw PictureError("the palette is " + std::to_string(extent) + " pixels " + what +
                       ": too large to draw");
  return static_cast<int>(extent);
}

}  // namespace

std::optional<Box> TextRoom(const host::HostDialog& palette, const HostItem& item) {
  if (item.kind != ItemKind::StaticText || !item.visible || item.destroyed) return std::nullopt;
  const ADMRect& own = item.bounds;
  int32_t right = own.right;
  for (const auto& other : palette.items) {
    if (!other || other.get() == &item || !other->visible || other->destroyed) continue;
    const ADMRect& b = other->bounds;
    if (b.right <= b.left || b.bottom <= b.top || !Level(own, b)) continue;
    if (b.left > own.left && b.left < right) right = b.left;
  }
  // A plug-in may give any 32-bit bounds; their differences need more.
  const auto extent = [](int32_t low, int32_t high) {
    return static_cast<int>(std::clamp<int64_t>(int64_t{high} - low, 0, INT32_MAX));
  };
  return Box{own.left, own.top, extent(own.left, right), extent(own.top, own.bottom)};
}

double PaletteFontSize(cairo_t* measuring, const host::HostDialog& palette) {
  // Unhinted metrics grow in proportion to the size, so one measure scales to any other.
  constexpr double kProbe = 10;
  UseDialogFont(measuring, false, kProbe);
  const double letter = TextWidth(measuring, kAlphabet) / (sizeof kAlphabet - 1);
  cairo_font_extents_t font{};
  cairo_font_extents(measuring, &font);
  double size = kFontSize;
  if (letter > 0) size = kProbe * palette.units.baseX / letter;
  if (font.ascent + font.descent > 0)
    size = std::min(size, kProbe * palette.units.baseY / (font.ascent + font.descent));
  for (const auto& item : palette.items) {
    if (!item || item->text.empty()) continue;
    const std::optional<Box> room = TextRoom(palette, *item);
    if (!room) continue;
    const double width = TextWidth(measuring, item->text) * size / kProbe;
    const double space = room->width - kLabelGap;
    if (width > space && space > 0) size = std::max(kSmallestText, size * space / width);
  }
  CheckCairo(measuring, "the palette's text");
  return size;
}

std::vector<Box> FlyoutRows(const host::HostList& list, const Box& menu) {
  std::vector<Box> rows;
  rows.reserve(list.entries.size());
  int y = menu.top + kMenuPadding;
  for (const host::HostEntry& entry : list.entries) {
    const int height = entry.separator ? kMenuSeparatorHeight : kMenuRowHeight;
    rows.push_back(Box{menu.left, y, menu.width, height});
    y += height;
  }
  return rows;
}

PaletteGeometry MeasurePalette(cairo_t* measuring, const host::HostDialog& palette,
                               bool flyoutOpen) {
  PaletteGeometry g;
  const int width = ClientExtent(palette.bounds.left, palette.bounds.right, "wide");
  const int height = ClientExtent(palette.bounds.top, palette.bounds.bottom, "high");
  // Wide enough for the title bar's buttons even when the plug-in made it narrower.
  g.frameWidth = std::max(width, 64) + 2;
  g.frameHeight = 1 + kTitleBarHeight + (palette.collapsed ? 0 : height) + 1;
  g.client = palette.collapsed ? Box{1, 1 + kTitleBarHeight, 0, 0}
                               : Box{1, 1 + kTitleBarHeight, width, height};
  g.flyoutButton = Box{g.frameWidth - 1 - 19, 3, 16, 14};
  g.collapseBox = Box{g.flyoutButton.left - 15, g.flyoutButton.top + 1, 11, 11};
  if (flyoutOpen && palette.flyout && palette.flyout->list) {
    UseDialogFont(measuring);
    double widest = 0;
    int menuHeight = 2 * kMenuPadding;
    for (const host::HostEntry& entry : palette.flyout->list->entries) {
      menuHeight += entry.separator ? kMenuSeparatorHeight : kMenuRowHeight;
      if (!entry.separator) widest = std::max(widest, TextWidth(measuring, entry.text));
    }
    CheckCairo(measuring, "the flyout menu");
    const int menuWidth = static_cast<int>(
        std::min(600.0, std::max(140.0, std::ceil(widest) + kMenuCheckColumn + 16)));
    const int right = g.flyoutButton.left + g.flyoutButton.width;
    g.flyoutMenu = Box{std::max(0, right - menuWidth), 1 + kTitleBarHeight, menuWidth, menuHeight};
  }
  return g;
}

void DrawPalette(cairo_t* cr, const host::HostDialog& palette, const PaletteGeometry& g) {
  cairo_save(cr);
  // A soft shadow, the frame, then the title bar and the client area inside it.
  cairo_set_source_rgba(cr, 0, 0, 0, 0.22);
  cairo_rectangle(cr, 3, 3, g.frameWidth, g.frameHeight);
  cairo_fill(cr);
  FillRect(cr, RectOf(Box{0, 0, g.frameWidth, g.frameHeight}), kPanel);
  StrokePixelRect(cr, 0, 0, g.frameWidth, g.frameHeight, kFrame);
  DrawTitleBar(cr, palette, g);
  if (g.client.width > 0 && g.client.height > 0) {
    // The line under the title bar.
    FillRect(cr, RectOf(Box{g.client.left, g.client.top - 1, g.client.width, 1}), kBorder);
    cairo_save(cr);
    cairo_rectangle(cr, g.client.left, g.client.top, g.client.width, g.client.height);
    cairo_clip(cr);
    cairo_translate(cr, g.client.left, g.client.top);
    UseDialogFont(cr, false, PaletteFontSize(cr, palette));
    for (const auto& item : palette.items) {
      if (item && item->visible && !item->destroyed) DrawItem(cr, *item);
    }
    cairo_restore(cr);
  }
  if (g.flyoutMenu.width > 0 && palette.flyout && palette.flyout->list) {
    UseDialogFont(cr);
    DrawFlyoutMenu(cr, *palette.flyout->list, g.flyoutMenu);
  }
  cairo_restore(cr);
  CheckCairo(cr, "the palette");
}

}  // namespace tavrix::pictures
