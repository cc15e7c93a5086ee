// The palette window as a person sees it: border, title bar, items, and the flyout menu.
#pragma once

#include <cairo.h>

#include <optional>
#include <vector>

#include "host/dialog/DialogObjects.h"
#include "pictures/Pictures.h"

namespace tavrix::pictures {

inline constexpr int kTitleBarHeight = 18;

// Boxes relative to the window frame's top left corner; the menu may reach past the frame.
struct PaletteGeometry {
  int frameWidth = 0;
  int frameHeight = 0;
  Box client;
  Box collapseBox;
  Box flyoutButton;
  Box flyoutMenu;  // empty unless the menu is open
};

// Where each entry of the flyout menu lies, separators included, in the list's order: a window
// that takes clicks finds the entry under the mouse in the rows the picture draws.
std::vector<Box> FlyoutRows(const host::HostList& list, const Box& menu);

// The size of the items' text. The dialog's font is known by its base units: four dialog units
// are one average letter. The drawing font is sized so its average letter is that wide, and made
// smaller where a visible label would not stop short of the item it lies beside, so that every
// label reads whole at any scale.
double PaletteFontSize(cairo_t* measuring, const host::HostDialog& palette);

// The room a visible static text has: its item, cut where the nearest visible item that begins
// to the right of the text's start, level with it, begins. Nothing for any other item.
std::optional<Box> TextRoom(const host::HostDialog& palette, const host::HostItem& item);

// Throws PictureError for a palette too large to draw. `measuring` sets the text widths.
PaletteGeometry MeasurePalette(cairo_t* measuring, const host::HostDialog& palette,
                               bool flyoutOpen);
// Draws with the frame's top left corner at the context's origin.
void DrawPalette(cairo_t* cr, const host::HostDialog& palette, const PaletteGeometry& geometry);

}  // namespace tavrix::pictures
