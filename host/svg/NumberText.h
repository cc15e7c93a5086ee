// Numbers as the writer puts them in path data: as short as they can be while reading back to
// the value they stand for.
#pragma once

#include <string>

namespace tavrix::svg {

// The shortest text that reads back to exactly `value` (a finite double).
std::string ShortestText(double value);

// `value` rounded to `digits` significant digits (1 to 17), without trailing zeros.
std::string TextWithDigits(double value, int digits);

}  // namespace tavrix::svg
