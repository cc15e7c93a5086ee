// Bounds-checked little-endian reads from bytes that came from a file. Every read says whether
// it fit, so a parser never looks outside the bytes it was given, whatever they hold.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tavrix::host {

struct ByteView {
  const uint8_t* data = nullptr;
  size_t size = 0;

  bool Has(size_t offset, size_t count) const { return offset <= size && count <= size - offset; }
  ByteView Sub(size_t offset, size_t count) const { return ByteView{data + offset, count}; }

  bool Read16(size_t offset, uint16_t& out) const {
    if (!Has(offset, 2)) return false;
    out = static_cast<uint16_t>(data[offset] | (data[offset + 1] << 8));
    return true;
  }
  bool Read32(size_t offset, uint32_t& out) const {
    if (!Has(offset, 4)) return false;
    out = static_cast<uint32_t>(data[offset]) | (static_cast<uint32_t>(data[offset + 1]) << 8) |
          (static_cast<uint32_t>(data[offset + 2]) << 16) |
          (static_cast<uint32_t>(data[offset + 3]) << 24);
    return true;
  }
  bool Read64(size_t offset, uint64_t& out) const {
    uint32_t low = 0;
    uint32_t high = 0;
    if (!Read32(offset, low) || !Read32(offset + 4, high)) return false;
    out = (static_cast<uint64_t>(high) << 32) | low;
    return true;
  }
};

// Rounds up to a multiple of four without wrapping; SIZE_MAX when it would wrap.
inline size_t AlignTo4(size_t value) {
  return value > SIZE_MAX - 3 ? SIZE_MAX : (value + 3) & ~static_cast<size_t>(3);
}

}  // namespace tavrix::host
