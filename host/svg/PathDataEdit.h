// A path element's data after an edit, changed only where its paths changed and in its own words.
// Subpaths nobody touched keep their text byte for byte. In one that changed, a command that
// still draws what it drew keeps its text; one that does not has its numbers changed in place,
// or is written anew as the subpath's own kind of command (relative stays relative) with the
// separators the data uses.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/svg/PathBuilder.h"
#include "host/svg/SvgDocument.h"
#include "host/svg/SvgTransform.h"

namespace tavrix::svg {

// `d` is the path data as the file has it; `paths` holds, for each subpath read from it in
// order, the path that continues it, or nullptr for one deleted. The text returned has been read
// back and gives exactly those paths; nullopt when no such text was found this way (the caller
// then writes the paths anew). Throws SvgError for a point the transform cannot carry back.
std::optional<std::string> EditPathData(std::string_view d, const Affine& toRoot, size_t maxAnchors,
                                        const std::vector<const EditedPath*>& paths);

// Whether subpaths read back are the paths that were written: the same anchors and handles but
// those an open path cannot store (its first anchor's In, its last one's Out). A lone anchor is
// written as a closed subpath, since alone and open it would draw nothing.
bool ReadsBackAs(const std::vector<LocalSubpath>& read, const Affine& toRoot,
                 const std::vector<const EditedPath*>& paths);

}  // namespace tavrix::svg
