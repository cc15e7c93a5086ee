// The file's text with the current paths spliced in: every byte outside the elements whose
// paths changed stays as it was.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/svg/ElementGeometry.h"
#include "host/svg/SvgDocument.h"
#include "host/svg/SvgLayers.h"

namespace tavrix::svg {

// See SvgDocument::SavedText; `read` are the paths as read. With a cut, only that layer of it.
std::string WriteSvgText(const SvgModel& model, const std::vector<SvgPath>& read,
                         const std::vector<EditedPath>& current,
                         const std::optional<LayerCut>& cut = std::nullopt);

}  // namespace tavrix::svg
