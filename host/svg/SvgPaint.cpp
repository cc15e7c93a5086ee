#include "host/svg/SvgPaint.h"

#include <pugixml.hpp>

#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace tavrix::svg {
namespace {

std::string_view Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last + 1 - first);
}

// The value a `style` attribute declares for the property, if it declares one.
std::optional<std::string_view> Declared(std::string_view style, std::string_view property) {
  std::optional<std::string_view> found;
  while (!style.empty()) {
    const size_t end = style.find(';');
    const std::string_view declaration = style.substr(0, end);
    const size_t colon = declaration.find(':');
    if (colon != std::string_view::npos && Trimmed(declaration.substr(0, colon)) == property)
      found = Trimmed(declaration.substr(colon + 1));  // the last one counts
    if (end == std::string_view::npos) break;
    style.remove_prefix(end + 1);
  }
  return found;
}

// The property's specified value on the element or the nearest ancestor that gives one.
std::optional<std::string> Inherited(pugi::xml_node node, const char* property) {
  for (; node && node.type() == pugi::node_element; node = node.parent()) {
    std::optional<std::string_view> value = Declared(node.attribute("style").value(), property);
    if (!value && node.attribute(property)) value = Trimmed(node.attribute(property).value());
    if (value && *value != "inherit") return std::string(*value);
  }
  return std::nullopt;
}

}  // namespace

SvgPaint PaintOf(const pugi::xml_node& element) {
  SvgPaint paint;
  if (const std::optional<std::string> fill = Inherited(element, "fill"))
    paint.filled = *fill != "none";
  if (const std::optional<std::string> rule = Inherited(element, "fill-rule"))
    paint.evenOdd = *rule == "evenodd";
  if (const std::optional<std::string> stroke = Inherited(element, "stroke"))
    paint.stroked = *stroke != "none";
  if (const std::optional<std::string> width = Inherited(element, "stroke-width")) {
    const double value = std::strtod(width->c_str(), nullptr);
    if (value >= 0) paint.strokeWidth = value;
  }
  return paint;
}

}  // namespace tavrix::svg
