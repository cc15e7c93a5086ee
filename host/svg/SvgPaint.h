// How an element paints its shape, as far as a click on it needs: whether its inside is filled
// and by which rule, whether it is stroked and how wide. Read from its own and its ancestors'
// presentation attributes and `style` declarations (a declaration wins over the attribute);
// style sheets (`<style>`) are not read.
#pragma once

#include <cstddef>
#include <optional>

// The Windows build has no XML library: the paint is known there, PaintOf is not built.
namespace pugi {
class xml_node;
}

namespace tavrix::svg {

struct SvgPaint {
  bool filled = true;  // SVG's initial fill is black
  bool evenOdd = false;
  bool stroked = false;
  double strokeWidth = 1;  // in the element's user units
  // For a path's paint: the element it was read from. The subpaths of one element are filled
  // together, so a ring's hole is no part of it. None for a path that was made, not read.
  std::optional<size_t> element;
};

SvgPaint PaintOf(const pugi::xml_node& element);

}  // namespace tavrix::svg
