// The geometry of the drawn elements (path, rect, circle, ellipse, line, polyline, polygon) in
// their own user space, by SVG's rules for each.
#pragma once

#include <pugixml.hpp>
#include <string>
#include <string_view>

#include "host/svg/PathBuilder.h"

namespace tavrix::svg {

// What percentages of lengths are taken of: the root's viewBox, or else its width and height.
struct Viewport {
  double width = 0, height = 0;
  bool known = false;
};

// Whether `kind` (an element name without prefix) is one of the drawn elements.
bool IsShape(std::string_view kind);

// Reads one drawn element into `builder`. `numbers` receives the text that coordinates' texts are
// positions in. Throws SvgError naming the attribute at fault; an element without geometry (an
// empty `d`, a zero width) gives no subpath and is no fault.
void ReadShape(const pugi::xml_node& element, std::string_view kind, const Viewport& viewport,
               PathBuilder& builder, std::string& numbers);

// The root's viewport, or an unknown one when it has neither a usable viewBox nor width and height
// in absolute units.
Viewport RootViewport(const pugi::xml_node& root);

}  // namespace tavrix::svg
