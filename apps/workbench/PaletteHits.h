// What lies under the mouse on the palette, in the boxes the pictures draw it in.
#pragma once

#include <cstdint>

#include "host/dialog/DialogObjects.h"
#include "host/dialog/DialogUser.h"
#include "pictures/PaletteDrawing.h"

namespace tavrix::workbench {

struct PaletteHit {
  enum class Kind { None, TitleBar, CollapseBox, FlyoutButton, FlyoutEntry, FlyoutMenu, Item };
  Kind kind = Kind::None;
  const host::HostItem* item = nullptr;         // for an item
  host::SpinArrow arrow = host::SpinArrow::Up;  // for a spin: the half that was hit
  const host::HostEntry* entry = nullptr;       // for a flyout entry (never a separator)
};

// (x, y) relative to the frame's top left corner. The open flyout menu lies over everything;
// of overlapping items the one drawn last, which is on top, is hit. Hidden items and items
// without a size are not there to hit; disabled ones are, so that the person can be told.
PaletteHit HitPalette(const host::HostDialog& palette, const pictures::PaletteGeometry& geometry,
                      int x, int y);

}  // namespace tavrix::workbench
