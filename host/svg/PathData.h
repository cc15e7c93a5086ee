// Path data (the `d` attribute): every command, absolute and relative, into a PathBuilder.
#pragma once

#include <string_view>

#include "host/svg/PathBuilder.h"

namespace tavrix::svg {

// Coordinates' texts are positions in `d`. Throws SvgError at the first fault, naming its
// character; nothing before it is taken either, since the file is refused.
void ReadPathData(std::string_view d, PathBuilder& builder);

}  // namespace tavrix::svg
