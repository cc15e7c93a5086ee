#include "session/PaletteJson.h"

#include <nlohmann/json.hpp>

#include "session/PaletteItemNames.h"

namespace tavrix::app {
namespace {

using nlohmann::json;

const char* KindName(host::ItemKind kind) {
  switch (kind) {
    case host::ItemKind::StaticText:
      return "text";
    case host::ItemKind::EditField:
      return "field";
    case host::ItemKind::CheckBox:
      return "checkbox";
    case host::ItemKind::Separator:
      return "separator";
    case host::ItemKind::Button:
      return "button";
    case host::ItemKind::Spin:
      return "spin";
    case host::ItemKind::SpinText:
      return "spin text";
    case host::ItemKind::Picture:
      return "picture";
    case host::ItemKind::List:
      return "list";
  }
  return "unknown";
}

json Bounds(const ADMRect& r) {
  return json{{"left", r.left}, {"top", r.top}, {"right", r.right}, {"bottom", r.bottom}};
}

json Point(const RealPoint& p) {
  return json::array({p.h, p.v});
}

json Item(const host::HostItem& item) {
  json out{{"id", item.id},
           {"name", PaletteItemName(item.id)},
           {"kind", KindName(item.kind)},
           {"text", item.text},
           {"visible", item.visible},
           {"enabled", item.enabled},
           {"bounds", Bounds(item.bounds)}};
  if (item.numeric) out["value"] = item.floatValue;
  if (item.kind == host::ItemKind::CheckBox) out["checked"] = item.booleanValue;
  return out;
}

json CurrentPoint(const host::Document* document) {
  if (document == nullptr) return nullptr;
  const std::vector<host::DocumentPath>& paths = document->paths();
  for (size_t p = 0; p < paths.size(); ++p) {
    if (!paths[p].IsSelected()) continue;
    // The palette shows the first selected path only, even when none of its anchors is.
    for (size_t a = 0; a < paths[p].selection.size(); ++a) {
      if (paths[p].selection[a] != kAIAnchorSelected) continue;
      const PathSegment& s = paths[p].segments[a];
      return json{{"path", p},
                  {"anchor", a},
                  {"point", Point(s.p)},
                  {"in", Point(s.in)},
                  {"out", Point(s.out)},
                  {"corner", s.corner != 0},
                  {"closed", paths[p].closed},
                  {"anchors", paths[p].segments.size()}};
    }
    return nullptr;
  }
  return nullptr;
}

}  // namespace

void PrintPaletteJson(const host::HostDialog& palette, const host::Document* document,
                      std::ostream& out) {
  json items = json::array();
  for (const auto& item : palette.items) {
    if (!item->destroyed) items.push_back(Item(*item));
  }
  json flyout = json::array();
  if (palette.flyout && palette.flyout->list) {
    for (const host::HostEntry& entry : palette.flyout->list->entries) {
      flyout.push_back(json{{"id", entry.id},
                            {"text", entry.text},
                            {"checked", entry.checked},
                            {"enabled", entry.enabled},
                            {"separator", entry.separator}});
    }
  }
  const json state{{"palette",
                    {{"caption", palette.caption},
                     {"visible", palette.visible},
                     {"collapsed", palette.collapsed},
                     {"bounds", Bounds(palette.bounds)}}},
                   {"items", items},
                   {"flyout", flyout},
                   {"currentPoint", CurrentPoint(document)}};
  // Texts the plug-in wrote are not promised to be UTF-8: odd bytes are replaced, not refused.
  out << state.dump(2, ' ', false, json::error_handler_t::replace) << "\n";
}

}  // namespace tavrix::app
