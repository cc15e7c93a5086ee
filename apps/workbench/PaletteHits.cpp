#include "workbench/PaletteHits.h"

#include <vector>

#include "workbench/WindowLayout.h"

namespace tavrix::workbench {
namespace {

bool InsideRect(const ADMRect& r, int x, int y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

}  // namespace

PaletteHit HitPalette(const host::HostDialog& palette, const pictures::PaletteGeometry& geometry,
                      int x, int y) {
  PaletteHit hit;
  const pictures::Box& menu = geometry.flyoutMenu;
  if (menu.width > 0 && palette.flyout && palette.flyout->list && Inside(menu, x, y)) {
    hit.kind = PaletteHit::Kind::FlyoutMenu;
    const host::HostList& list = *palette.flyout->list;
    const std::vector<pictures::Box> rows = pictures::FlyoutRows(list, menu);
    for (size_t i = 0; i < rows.size(); ++i) {
      if (Inside(rows[i], x, y) && !list.entries[i].separator) {
        hit.kind = PaletteHit::Kind::FlyoutEntry;
        hit.entry = &list.entries[i];
      }
    }
    return hit;
  }
  if (!Inside(pictures::Box{0, 0, geometry.frameWidth, geometry.frameHeight}, x, y)) return hit;
  if (Inside(geometry.collapseBox, x, y)) {
    hit.kind = PaletteHit::Kind::CollapseBox;
  } else if (palette.flyout && Inside(geometry.flyoutButton, x, y)) {
    hit.kind = PaletteHit::Kind::FlyoutButton;
  } else if (y < geometry.client.top) {
    hit.kind = PaletteHit::Kind::TitleBar;
  }
  if (hit.kind != PaletteHit::Kind::None || !Inside(geometry.client, x, y)) return hit;
  const int cx = x - geometry.client.left;
  const int cy = y - geometry.client.top;
  for (auto item = palette.items.rbegin(); item != palette.items.rend(); ++item) {
    const host::HostItem* candidate = item->get();
    if (candidate == nullptr || !candidate->visible || candidate->destroyed) continue;
    if (!InsideRect(candidate->bounds, cx, cy)) continue;
    hit.kind = PaletteHit::Kind::Item;
    hit.item = candidate;
    const ADMRect& b = candidate->bounds;
    // The upper arrow takes the upper half, rounded down, as the arrows are drawn.
    hit.arrow = cy < b.top + (b.bottom - b.top) / 2 ? host::SpinArrow::Up : host::SpinArrow::Down;
    return hit;
  }
  return hit;
}

}  // namespace tavrix::workbench
