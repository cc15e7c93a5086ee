// The keys a person holds down, as the host's platform reports them to plug-ins: the
// asynchronous key-state query answers with the high bit set for a key that is down, the way
// Windows does. Plug-ins find the query by name, `GetAsyncKeyState`, which this host exports;
// on Windows, where they import it from user32, the host redirects that import to it.
#pragma once

#include <cstdint>
#include <set>

namespace tavrix::host {

// Windows virtual-key codes of the keys a session can hold.
inline constexpr int32_t kShiftKey = 0x10;
inline constexpr int32_t kControlKey = 0x11;

class Keyboard {
 public:
  void Press(int32_t virtualKey) { down_.insert(virtualKey); }
  void Release(int32_t virtualKey) { down_.erase(virtualKey); }
  void ReleaseAll() { down_.clear(); }
  bool IsDown(int32_t virtualKey) const { return down_.count(virtualKey) != 0; }
  // 0x8000 (as a signed 16-bit value) for a key that is down, 0 otherwise.
  int16_t AsyncState(int32_t virtualKey) const;

 private:
  std::set<int32_t> down_;
};

// Keys pressed for the length of a scope, released however it ends.
class HeldKeys {
 public:
  HeldKeys(Keyboard& keyboard, std::set<int32_t> keys);
  ~HeldKeys();
  HeldKeys(const HeldKeys&) = delete;
  HeldKeys& operator=(const HeldKeys&) = delete;

 private:
  Keyboard& keyboard_;
  std::set<int32_t> keys_;
};

}  // namespace tavrix::host

// The platform's query as plug-ins call it; 0 for every key while no host runs. On Windows the
// plug-in imports it from user32, and the host points that import at this function once it has
// loaded the plug-in (host/windows/ImportPatch.h).
#ifdef _WIN32
extern "C" int16_t __stdcall SimulatedGetAsyncKeyState(int32_t virtualKey);
#else
extern "C" __attribute__((visibility("default"))) int16_t GetAsyncKeyState(int32_t virtualKey);
#endif
