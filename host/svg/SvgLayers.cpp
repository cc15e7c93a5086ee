#include "host/svg/SvgLayers.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <unordered_set>

#include "host/svg/SourceText.h"

namespace tavrix::svg {
namespace {

// Elements that paint where they stand; everything else (defs, gradients, clip paths, titles,
// other namespaces) stays in every layer, so that references into it still hold.
bool Paints(std::string_view kind) {
  static constexpr std::string_view kPainting[] = {
      "path",  "rect", "circle", "ellipse", "line", "polyline",      "polygon", "text",
      "image", "use",  "g",      "a",       "svg",  "foreignObject", "switch"};
  for (std::string_view painting : kPainting) {
    if (kind == painting) return true;
  }
  return false;
}

bool MentionsCompositing(std::string_view text) {
  for (std::string_view word : {"opacity", "filter", "clip", "mask", "blend", "isolation"}) {
    if (text.find(word) != std::string_view::npos) return true;
  }
  return false;
}

// A group whose content is composited as a whole cannot be cut: its layers would each be
// composited on their own.
bool CompositesAsWhole(const pugi::xml_node& group) {
  for (const pugi::xml_attribute& attribute : group.attributes()) {
    const std::string_view name = attribute.name();
    if (name == "style" ? MentionsCompositing(attribute.value()) : MentionsCompositing(name))
      return true;
  }
  return false;
}

bool IsIdCharacter(char c) {
  return c == '-' || c == '_' || c == '.' || c == ':' || (c >= '0' && c <= '9') ||
         (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || static_cast<unsigned char>(c) >= 0x80;
}

// Every name after a '#' in the file: all that `href="#a"` and `url(#a)` can point at. Words of
// colours and the like come along too, which only makes the check stricter.
std::unordered_set<std::string_view> ReferencedNames(std::string_view text) {
  std::unordered_set<std::string_view> names;
  for (size_t hash = text.find('#'); hash != std::string_view::npos;
       hash = text.find('#', hash + 1)) {
    size_t end = hash + 1;
    while (end < text.size() && IsIdCharacter(text[end])) ++end;
    if (end > hash + 1) names.insert(text.substr(hash + 1, end - hash - 1));
  }
  return names;
}

bool HoldsReferenced(const pugi::xml_node& element,
                     const std::unordered_set<std::string_view>& referenced) {
  if (referenced.empty()) return false;
  const auto named = [&](const pugi::xml_node& node) {
    const pugi::xml_attribute id = node.attribute("id");
    return id && referenced.count(id.value()) > 0;
  };
  if (named(element)) return true;
  return static_cast<bool>(element.find_node(named));
}

bool HasStyleSheet(const SvgModel& model) {
  return static_cast<bool>(model.root.find_node([&](const pugi::xml_node& node) {
    return node.type() == pugi::node_element && ElementKind(model, node) == "style";
  }));
}

// The groups from the root down to the element's parent; nothing when one of them cannot be
// cut (it is no plain group, or it composites its content as a whole).
std::optional<std::vector<pugi::xml_node>> GroupsAround(const SvgModel& model,
                                                        const pugi::xml_node& target) {
  std::vector<pugi::xml_node> groups;
  for (pugi::xml_node group = target.parent(); group; group = group.parent()) {
    if (group.type() != pugi::node_element) break;
    const std::string_view kind = ElementKind(model, group);
    const bool root = group == model.root;
    if ((!root && kind != "g" && kind != "a") || CompositesAsWhole(group)) return std::nullopt;
    groups.insert(groups.begin(), group);
    if (root) break;
  }
  return groups;
}

// Takes out of `cut` the painting children of `group` that belong to another layer than
// `layer`: those before `inside` lie under it, those after it over it. False when one of them
// is referenced from elsewhere.
bool CutChildren(const SvgModel& model, const pugi::xml_node& group, const pugi::xml_node& inside,
                 Layer layer, const std::unordered_set<std::string_view>& referenced,
                 LayerCut& cut) {
  Layer place = Layer::Under;
  for (pugi::xml_node child = group.first_child(); child; child = child.next_sibling()) {
    if (child == inside) {
      place = Layer::Over;
      continue;
    }
    if (child.type() != pugi::node_element || place == layer ||
        !Paints(ElementKind(model, child))) {
      continue;
    }
    if (HoldsReferenced(child, referenced)) return false;
    const size_t begin = BeginOf(child);
    cut.removed.emplace_back(begin, ScanElement(model.text, begin).end());
  }
  return true;
}

}  // namespace

std::optional<LayerCut> CutForLayer(const SvgModel& model, size_t element, Layer layer) {
  if (element >= model.drawn.size()) return std::nullopt;
  const pugi::xml_node target = model.drawn[element].node;
  if (model.text.find("blend-mode") != std::string::npos || HasStyleSheet(model))
    return std::nullopt;
  const std::unordered_set<std::string_view> referenced = ReferencedNames(model.text);
  if (HoldsReferenced(target, referenced)) return std::nullopt;
  const std::optional<std::vector<pugi::xml_node>> groups = GroupsAround(model, target);
  if (!groups) return std::nullopt;

  LayerCut cut;
  cut.withAddedPaths = layer == Layer::Over;
  for (size_t depth = 0; depth < groups->size(); ++depth) {
    const pugi::xml_node inside = depth + 1 < groups->size() ? (*groups)[depth + 1] : target;
    if (!CutChildren(model, (*groups)[depth], inside, layer, referenced, cut)) return std::nullopt;
  }
  if (layer != Layer::Element) {
    const size_t begin = BeginOf(target);
    cut.removed.emplace_back(begin, ScanElement(model.text, begin).end());
  }
  std::sort(cut.removed.begin(), cut.removed.end());
  return cut;
}

}  // namespace tavrix::svg
