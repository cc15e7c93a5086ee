// Guard bytes the host puts right after what it hands a plug-in (a message record, a memory
// block): a plug-in that writes past the end breaks them.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tavrix::host {

inline constexpr uint8_t kGuardByte = 0xA5;

inline void SetGuard(uint8_t* guard, size_t size) {
  std::memset(guard, kGuardByte, size);
}

inline bool GuardIntact(const uint8_t* guard, size_t size) {
  return std::all_of(guard, guard + size, [](uint8_t b) { return b == kGuardByte; });
}

}  // namespace tavrix::host
