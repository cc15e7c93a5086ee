// A shape element after an edit, kept the shape it is when its new geometry still is one: a
// polygon or polyline with a moved vertex changes that pair of `points`, a line its ends, a rect
// moved or resized along its sides its `x`, `y`, `width`, `height`, a rounded rect, circle or
// ellipse moved whole its place. Only the numbers that changed change.
#pragma once

#include <optional>
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "host/svg/PathBuilder.h"
#include "host/svg/SvgDocument.h"
#include "host/svg/SvgShapes.h"

namespace tavrix::svg {

struct AttributeEdit {
  std::string name;
  std::string value;
};

struct ShapeContext {
  pugi::xml_node element;
  std::string_view kind;    // rect, circle, ...
  std::string_view points;  // the `points` text as the file has it, for a polygon or polyline
  Viewport viewport;
  Affine toRoot;
  size_t maxAnchors;
};

// The attributes to set (or add) for the shape to draw `path`, its one subpath `original` as
// read; nullopt when `path` is no longer that shape (it is then written as a path). What is
// returned has been read back and draws exactly `path`. Throws SvgError for a point the
// transform cannot carry back.
std::optional<std::vector<AttributeEdit>> EditShape(const ShapeContext& shape,
                                                    const LocalSubpath& original,
                                                    const EditedPath& path);

}  // namespace tavrix::svg
