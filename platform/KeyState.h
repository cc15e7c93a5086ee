// The one place the plug-in reads the platform directly: whether a key is held down right now.
#pragma once

#include <stdint.h>

namespace tavrix {

// Windows virtual-key codes.
inline constexpr int32_t kShiftVirtualKey = 0x10;
inline constexpr int32_t kControlVirtualKey = 0x11;

// The asynchronous key-state query: non-zero while the key is down. On Windows this is the
// system's own; elsewhere the host program provides a function of the same name, and without
// one no key counts as held.
int16_t AsyncKeyState(int32_t virtualKey);

}  // namespace tavrix
