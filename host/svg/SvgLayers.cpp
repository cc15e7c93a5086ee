#include "host/svg/SvgLayers.h"

#include <algorithm>
#include <cstdlib>
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

std::string_view Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last + 1 - first);
}

// Whether a property set to this value makes a group's content be composited as a whole
// (not drawn one element after another onto what is below); a value that turns it off does not.
bool Composites(std::string_view name, std::string_view value) {
  value = Trimmed(value);
  if (name == "opacity") {
    const std::string text(value);
    char* end = nullptr;
    const double opacity = std::strtod(text.c_str(), &end);
    return text.empty() || end != text.c_str() + text.size() || opacity < 1;
  }
  if (name == "filter" || name == "clip-path" || name == "mask") return value != "none";
  if (name == "mix-blend-mode") return value != "normal";
  if (name == "isolation") return value != "auto";
  return false;
}

// The properties of a style attribute, as "name: value" pairs split at ';'.
bool StyleComposites(std::string_view style) {
  while (!style.empty()) {
    const size_t end = std::min(style.find(';'), style.size());
    const std::string_view declaration = style.substr(0, end);
    const size_t colon = declaration.find(':');
    if (colon != std::string_view::npos &&
        Composites(Trimmed(declaration.substr(0, colon)), declaration.substr(colon + 1)))
      return true;
    style.remove_prefix(std::min(end + 1, style.size()));
  }
  return false;
}

// A group whose content is composited as a whole cannot be cut: its layers would each be
// composited on their own.
bool CompositesAsWhole(const pugi::xml_node& group) {
  for (const pugi::xml_attribute& attribute : group.attributes()) {
    const std::string_view name = attribute.name();
    if (name == "style" ? StyleComposites(attribute.value()) : Composites(name, attribute.value()))
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

// A <style> element, or a style sheet linked before the root: its selectors could match
// differently once elements are taken out.
bool HasStyleSheet(const SvgModel& model) {
  if (model.text.find("xml-stylesheet") != std::string::npos) return true;
  return static_cast<bool>(model.root.find_node([&](const pugi::xml_node& node) {
    return node.type() == pugi::node_element && ElementKind(model, node) == "style";
  }));
}

// The groups from the root down to the element's parent; nothing when one of them cannot be
// cut (it is no plain group, it composites its content as a whole, or it is referenced).
std::optional<std::vector<pugi::xml_node>> GroupsAround(
    const SvgModel& model, const pugi::xml_node& target,
    const std::unordered_set<std::string_view>& referenced) {
  std::vector<pugi::xml_node> groups;
  for (pugi::xml_node group = target.parent(); group; group = group.parent()) {
    if (group.type() != pugi::node_element) break;
    const std::string_view kind = ElementKind(model, group);
    const bool root = group == model.root;
    if ((!root && kind != "g" && kind != "a") || CompositesAsWhole(group)) return std::nullopt;
    // A group cloned elsewhere (a `use` of it) would be cloned without the parts taken out.
    const pugi::xml_attribute id = group.attribute("id");
    if (id && referenced.count(id.value()) > 0) return std::nullopt;
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
  const std::optional<std::vector<pugi::xml_node>> groups = GroupsAround(model, target, referenced);
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
