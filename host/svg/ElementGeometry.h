// What reading keeps of a file for writing it again: its text, its XML tree and the elements
// that draw paths, with the transform from each one's user space to the root's. The geometry
// itself is read again from the element when it is written, by the same code, so that the
// writer knows every coordinate's text without the reader keeping it all.
#pragma once

#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "host/svg/PathBuilder.h"
#include "host/svg/SvgShapes.h"
#include "host/svg/SvgTransform.h"

namespace tavrix::svg {

struct DrawnElement {
  pugi::xml_node node;
  std::string kind;  // its name without a prefix: path, rect, ...
  Affine toRoot;     // its user space to the root's, its own transform included
  size_t firstPath = 0, pathCount = 0;
};

struct SvgModel {
  std::string fileName;
  std::string text;  // the file's bytes
  pugi::xml_document xml;
  pugi::xml_node root;
  Affine rootTransform;
  Viewport viewport;
  size_t maxAnchors = 0;
  std::vector<DrawnElement> drawn;  // those that gave at least one path, in document order
};

// The element's name without the root's prefix; empty for one in another namespace.
std::string_view ElementKind(const SvgModel& model, const pugi::xml_node& element);

// The offset of an element's '<' in the file.
size_t BeginOf(const pugi::xml_node& element);

// "drawing.svg:12:5: <path id="leaf">: " for messages about an element.
std::string ElementPlace(const SvgModel& model, const pugi::xml_node& element);

// Every element that may draw, in document order, with its transform; none inside elements that
// are not drawn directly (defs, clipPath, mask, symbol, pattern, marker) or in other namespaces.
// Throws SvgError with the place of a bad transform.
std::vector<DrawnElement> FindDrawnElements(const SvgModel& model);

// Reads one element's subpaths into `sink`; `numbers` receives the text their coordinates'
// texts are positions in. Throws SvgError with the element's place.
void ReadDrawnElement(const SvgModel& model, const DrawnElement& element, const SubpathSink& sink,
                      std::string& numbers);

}  // namespace tavrix::svg
