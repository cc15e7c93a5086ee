// Compiled for a 32-bit target only: the static_asserts of the message header check the
// documented byte offsets. Uses no library beyond what a freestanding compiler provides.
#include "hostapi/HostApi.h"

static_assert(sizeof(void*) == 4, "compile this file for a 32-bit target");
static_assert(sizeof(RealPoint) == 8, "two floats");
static_assert(offsetof(PathSegment, corner) == 24, "corner flag after three points");
