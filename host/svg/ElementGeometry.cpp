#include "host/svg/ElementGeometry.h"

#include <string_view>

#include "host/svg/SourceText.h"
#include "host/svg/SvgError.h"

namespace tavrix::svg {
namespace {

// An id as a message shows it: on one line, and not too long.
std::string Shown(std::string_view id) {
  std::string shown;
  for (char c : id.substr(0, 40)) shown += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
  if (id.size() > 40) shown += "...";
  return shown;
}

bool IsContainer(std::string_view kind) {
  return kind == "g" || kind == "a" || kind == "switch" || kind == "svg";
}

Affine OwnTransform(const SvgModel& model, const pugi::xml_node& element) {
  try {
    return ParseTransform(element.attribute("transform").value());
  } catch (const SvgError& error) {
    throw SvgError(ElementPlace(model, element) + error.what());
  }
}

}  // namespace

std::string_view ElementKind(const SvgModel& model, const pugi::xml_node& element) {
  const std::string_view rootName = model.root.name();
  const std::string_view prefix = rootName.substr(0, rootName.size() - 3);  // up to "svg"
  std::string_view name = element.name();
  if (name.compare(0, prefix.size(), prefix) != 0) return {};
  name.remove_prefix(prefix.size());
  return name.find(':') == std::string_view::npos ? name : std::string_view{};
}

size_t BeginOf(const pugi::xml_node& element) {
  // The parser gives the offset of the name, just after the '<'.
  const ptrdiff_t offset = element.offset_debug();
  return offset > 0 ? static_cast<size_t>(offset - 1) : 0;
}

std::string ElementPlace(const SvgModel& model, const pugi::xml_node& element) {
  const LineColumn place = PlaceOf(model.text, BeginOf(element));
  std::string tag = std::string("<") + element.name();
  if (const pugi::xml_attribute id = element.attribute("id")) {
    tag += " id=\"" + Shown(id.value()) + "\"";
  }
  return model.fileName + ":" + std::to_string(place.line) + ":" + std::to_string(place.column) +
         ": " + tag + ">: ";
}

std::vector<DrawnElement> FindDrawnElements(const SvgModel& model) {
  // Depth first without recursion: groups may nest as deep as the file likes.
  struct Level {
    pugi::xml_node next;
    Affine toRoot;
  };
  std::vector<DrawnElement> found;
  std::vector<Level> levels{{model.root.first_child(), model.rootTransform}};
  while (!levels.empty()) {
    const pugi::xml_node child = levels.back().next;
    if (!child) {
      levels.pop_back();
      continue;
    }
    levels.back().next = child.next_sibling();
    if (child.type() != pugi::node_element) continue;
    const std::string_view kind = ElementKind(model, child);
    // Everything else, defs and the like included, is not drawn where it stands.
    if (!IsShape(kind) && !IsContainer(kind)) continue;
    const Affine inner = Multiply(levels.back().toRoot, OwnTransform(model, child));
    if (IsShape(kind)) {
      found.push_back(DrawnElement{child, std::string(kind), inner, 0, 0});
    } else {
      levels.push_back(Level{child.first_child(), inner});
    }
  }
  return found;
}

void ReadDrawnElement(const SvgModel& model, const DrawnElement& element, const SubpathSink& sink,
                      std::string& numbers) {
  try {
    PathBuilder builder(element.toRoot, model.maxAnchors, sink);
    ReadShape(element.node, element.kind, model.viewport, builder, numbers);
  } catch (const SvgError& error) {
    throw SvgError(ElementPlace(model, element.node) + error.what());
  }
}

}  // namespace tavrix::svg
