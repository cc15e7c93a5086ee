// The smallest quantities the palette tells apart, all compared in double precision: a handle
// exactly the float nearest 0.00001 long is retracted wherever the palette looks at it.
#pragma once

namespace tavrix {

inline constexpr double kRetractedLength = 0.00001;
inline constexpr double kSmallestLengthChange = 0.001;
inline constexpr double kSmallestAngleChange = 0.00001;

}  // namespace tavrix
