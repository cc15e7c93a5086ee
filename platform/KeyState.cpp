#include "platform/KeyState.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace tavrix {

#ifdef _WIN32

int16_t AsyncKeyState(int32_t virtualKey) {
  return static_cast<int16_t>(GetAsyncKeyState(virtualKey));
}

#else

int16_t AsyncKeyState(int32_t virtualKey) {
  using Query = int16_t (*)(int32_t);
  // Looked up on each use: the plug-in may outlive one host program and meet another.
  const auto query = reinterpret_cast<Query>(dlsym(RTLD_DEFAULT, "GetAsyncKeyState"));
  return query != nullptr ? query(virtualKey) : int16_t{0};
}

#endif

}  // namespace tavrix
