// What a probe pixel looks like, for tests that check pictures a point at a time.
#pragma once

#include <cstdlib>
#include <ostream>

#include "pictures/Pictures.h"

namespace tavrix::pictures {

inline std::ostream& operator<<(std::ostream& out, const Rgb& c) {
  return out << "rgb(" << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ")";
}

namespace test {

inline bool IsDark(const Rgb& c) {
  return c.r < 90 && c.g < 90 && c.b < 90;
}
inline bool IsWhite(const Rgb& c) {
  return c.r > 245 && c.g > 245 && c.b > 245;
}
// A neutral grey, lighter than text and darker than a white box.
inline bool IsGrey(const Rgb& c) {
  return std::abs(c.r - c.g) < 10 && std::abs(c.g - c.b) < 10 && c.r > 150 && c.r < 235;
}
inline bool IsSelectionBlue(const Rgb& c) {
  return c.b > 170 && c.r < 130 && c.b > c.g;
}
inline bool IsCurrentPointOrange(const Rgb& c) {
  return c.r > 190 && c.g < 150 && c.b < 100;
}

}  // namespace test
}  // namespace tavrix::pictures
