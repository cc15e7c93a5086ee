#include "host/platform/Keyboard.h"

#include "host/Host.h"

namespace tavrix::host {

int16_t Keyboard::AsyncState(int32_t virtualKey) const {
  return IsDown(virtualKey) ? static_cast<int16_t>(0x8000) : int16_t{0};
}

HeldKeys::HeldKeys(Keyboard& keyboard, std::set<int32_t> keys)
    : keyboard_(keyboard), keys_(std::move(keys)) {
  for (int32_t key : keys_) keyboard_.Press(key);
}

HeldKeys::~HeldKeys() {
  for (int32_t key : keys_) keyboard_.Release(key);
}

}  // namespace tavrix::host

#ifdef _WIN32
extern "C" int16_t __stdcall SimulatedGetAsyncKeyState(int32_t virtualKey) {
#else
extern "C" int16_t GetAsyncKeyState(int32_t virtualKey) {
#endif
  try {
    return tavrix::host::Host::Current().keyboard().AsyncState(virtualKey);
  } catch (...) {
    return 0;
  }
}
