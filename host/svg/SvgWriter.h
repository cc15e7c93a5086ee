// The file's text with the current paths spliced in: every byte outside the elements whose
// paths changed stays as it was.
#pragma once

#include <string>
#include <vector>

#include "host/svg/ElementGeometry.h"
#include "host/svg/SvgDocument.h"

namespace tavrix::svg {

// See SvgDocument::SavedText; `read` are the paths as read.
std::string WriteSvgText(const SvgModel& model, const std::vector<SvgPath>& read,
                         const std::vector<EditedPath>& current);

}  // namespace tavrix::svg
