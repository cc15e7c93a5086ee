// The palette as a person sees it, in reading order: top to bottom, left to right.
#include <algorithm>
#include <iomanip>
#include <vector>

#include "session/PaletteItemNames.h"
#include "session/ScriptWords.h"
#include "session/Session.h"

namespace tavrix::app {
namespace {

// A disclosure triangle as it was last drawn: its polygon points down or to the right.
std::string TriangleLook(const host::HostItem& item) {
  for (const host::DrawOperation& op : item.lastDrawing) {
    if (op.kind == host::DrawOperation::Kind::FillPolygon && op.points.size() >= 3) {
      return op.points[1].v == op.points[0].v ? "v (open)" : "> (closed)";
    }
  }
  return "(not drawn)";
}

std::string Look(const host::HostItem& item) {
  switch (item.kind) {
    case host::ItemKind::Picture:
      return TriangleLook(item);
    case host::ItemKind::Spin:
      return "<>";
    case host::ItemKind::CheckBox:
      return item.booleanValue ? "[x]" : "[ ]";
    case host::ItemKind::Separator:
      return "----";
    case host::ItemKind::EditField:
      return "[" + item.text + "]";
    default:
      return Quoted(item.text);
  }
}

}  // namespace

void PrintPalette(const host::HostDialog& palette, std::ostream& out) {
  const int height = palette.bounds.bottom - palette.bounds.top;
  out << "Palette \"" << palette.caption
      << "\": " << (palette.visible ? (palette.collapsed ? "collapsed" : "visible") : "hidden")
      << ", " << (palette.bounds.right - palette.bounds.left) << " x " << height << "\n";
  if (!palette.visible || palette.collapsed) return;  // nothing but the title bar to see
  std::vector<const host::HostItem*> shown;
  for (const auto& item : palette.items) {
    const bool hasArea =
        item->bounds.right > item->bounds.left && item->bounds.bottom > item->bounds.top;
    if (item->visible && !item->destroyed && hasArea) shown.push_back(item.get());
  }
  std::stable_sort(shown.begin(), shown.end(),
                   [](const host::HostItem* a, const host::HostItem* b) {
                     return a->bounds.top != b->bounds.top ? a->bounds.top < b->bounds.top
                                                           : a->bounds.left < b->bounds.left;
                   });
  for (const host::HostItem* item : shown) {
    out << "  " << std::setw(4) << item->bounds.top << " " << std::left << std::setw(24)
        << PaletteItemName(item->id) << std::right << Look(*item);
    if (!item->enabled) out << "  (disabled)";
    out << "\n";
  }
  if (palette.flyout && palette.flyout->list) {
    out << "  flyout:";
    for (const host::HostEntry& entry : palette.flyout->list->entries) {
      out << "\n    " << std::setw(2) << entry.id << (entry.checked ? " * " : "   ") << entry.text
          << (entry.enabled ? "" : "  (disabled)");
    }
    out << "\n";
  }
}

}  // namespace tavrix::app
