// What the host computes about a path's geometry: its length, its signed area and its bounds.
#pragma once

#include <vector>

#include "hostapi/AIArtworkSuites.h"

namespace tavrix::host {

// The length of the curves themselves. A caller's flatness only bounds how far a flattening
// may stray from the curve; the true length is what every finer flattening approaches, and the
// plug-in asks for a flatness far below any difference it shows.
double PathLength(const std::vector<PathSegment>& segments, bool closed);

// Exact for cubic curves; positive counter-clockwise with v up. An open path is closed by a
// straight line from its last anchor back to its first.
double PathArea(const std::vector<PathSegment>& segments, bool closed);

// The exact bounds of the curves (their extremes, not the control points).
AIRealRect PathBounds(const std::vector<PathSegment>& segments, bool closed);

}  // namespace tavrix::host
