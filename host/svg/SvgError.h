// The one exception of the SVG reader and writer: its message is meant for the person whose
// file it is, and names the file and the place.
#pragma once

#include <stdexcept>

namespace tavrix::svg {

class SvgError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace tavrix::svg
