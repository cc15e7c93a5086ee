// Affine transforms: the `transform` attribute, and the step from an element's own user space to
// the artwork, where one user unit is one point and v points up.
#pragma once

#include <optional>
#include <string_view>

#include "hostapi/HostTypes.h"

namespace tavrix::svg {

// x' = a x + c y + e, y' = b x + d y + f.
struct Affine {
  double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;
};

// `outer` after `inner`.
Affine Multiply(const Affine& outer, const Affine& inner);
// Nullopt when the transform squashes the plane (or is not finite).
std::optional<Affine> Inverse(const Affine& m);
// How much the transform stretches a length at most.
double LargestScale(const Affine& m);
// True when x' depends on x alone and y' on y alone.
bool AxisAligned(const Affine& m);

// A `transform` attribute's value; throws SvgError naming the character at fault.
Affine ParseTransform(std::string_view text);

// A point of a user space to the artwork through `toRoot` (that space to the root's): h = x',
// v = -y', as floats. Reading and writing both go through this one function, so that a written
// number is known to read back to the same point.
RealPoint ToArtwork(const Affine& toRoot, double x, double y);

}  // namespace tavrix::svg
