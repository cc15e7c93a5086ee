// A drawing split around one element in painting order: what lies under it, the element alone,
// and what lies over it. Each part is the saved text with the other parts' elements taken out,
// so that librsvg draws it with the same styles, transforms and references; laid over one
// another the three give the whole drawing. A drag redraws only the middle one.
#pragma once

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

#include "host/svg/ElementGeometry.h"
#include "host/svg/SvgDocument.h"

namespace tavrix::svg {

// What to leave out of the saved text for one layer.
struct LayerCut {
  std::vector<std::pair<size_t, size_t>> removed;  // byte ranges of the file, in order
  bool withAddedPaths = false;  // paths made since reading, which go over everything
};

// The cut for `layer` around model.drawn[element]; nothing when the parts would not add up to
// the whole drawing exactly: the element or one of its groups blends with what is under it as
// a whole (group opacity, filter, clip, mask, blending), a style sheet could match differently
// once elements are gone, or something taken out is referenced from elsewhere.
std::optional<LayerCut> CutForLayer(const SvgModel& model, size_t element, Layer layer);

}  // namespace tavrix::svg
