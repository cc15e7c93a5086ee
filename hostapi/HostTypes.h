// Basic types shared by the host and its plug-ins. Plain C layout: these cross the plug-in
// boundary.
#pragma once

#include <stddef.h>
#include <stdint.h>

typedef int32_t ASErr;      // 0 for success, otherwise a host or plug-in error code
typedef uint8_t ASBoolean;  // 0 false, anything else true
// The host's 32-bit flag: the closed flag of a path and the boolean preferences are read and
// written as a whole 32-bit word, so a one-byte place would be overrun.
typedef int32_t AIBoolean;

// Host references that a plug-in stores as 32-bit values. They are opaque ids, so the plug-in's
// data has the same layout on 32- and 64-bit builds.
typedef uint32_t SPPluginRef;
typedef uint32_t SPAccessRef;
typedef uint32_t AINotifierHandle;
typedef uint32_t AIMenuItemHandle;
typedef uint32_t AIAnnotatorHandle;
typedef uint32_t AIArtHandle;
typedef uint32_t AIDocumentViewHandle;
typedef uint32_t AIPortRef;

constexpr int32_t FourCharCode(char a, char b, char c, char d) {
  return static_cast<int32_t>((static_cast<uint32_t>(static_cast<uint8_t>(a)) << 24) |
                              (static_cast<uint32_t>(static_cast<uint8_t>(b)) << 16) |
                              (static_cast<uint32_t>(static_cast<uint8_t>(c)) << 8) |
                              static_cast<uint32_t>(static_cast<uint8_t>(d)));
}

constexpr ASErr kNoErr = 0;
// The plug-in's own error: a host call failed inside a handler and the user has been told.
constexpr ASErr kExTrErr = FourCharCode('E', 'x', 'T', 'r');
// A dialog-manager callback found no object to call.
constexpr ASErr kBadParameterErr = FourCharCode('P', 'A', 'R', 'M');
// Errors the host answers with.
constexpr ASErr kSuiteNotFoundErr = FourCharCode('S', '!', 'F', 'd');
constexpr ASErr kSuiteVersionErr = FourCharCode('S', '!', 'V', 'r');
constexpr ASErr kOutOfMemoryErr = FourCharCode('!', 'M', 'E', 'M');
constexpr ASErr kBadHandleErr = FourCharCode('H', 'N', 'D', 'L');
constexpr ASErr kNoSuchStringErr = FourCharCode('!', 'S', 't', 'r');

// A point or an offset in artwork coordinates: points (1/72 inch), v growing upwards.
struct RealPoint {
  float h;
  float v;
};

// One anchor of a path as the Path suite reads and writes it; handles are absolute positions.
struct PathSegment {
  RealPoint p;
  RealPoint in;
  RealPoint out;
  int32_t corner;  // the host's corner flag, copied and written as a whole word
};
static_assert(sizeof(PathSegment) == 28, "PathSegment is 28 bytes on every target");

// The curve between consecutive segments A and B is (A.p, A.out, B.in, B.p).
struct CubicBezier {
  RealPoint p0;
  RealPoint p1;
  RealPoint p2;
  RealPoint p3;
};
