// Windows' own entry point of the plug-in DLL, run as the system loads and unloads it.
//
// The C++ runtime is linked into the DLL, and it allocates its emergency exception pool (what
// it throws from when memory runs out, about 70 KB) from the process's C heap as the DLL loads,
// never to free it: a host that unloads and reloads the plug-in would lose that much each
// time. libstdc++ gives it back through __gnu_cxx::__freeres, which it offers for exactly this
// (leak checkers call it at exit). At process exit (`reserved` set) the heap goes anyway.
#include <windows.h>

namespace __gnu_cxx {
void __freeres() noexcept;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_DETACH && reserved == nullptr) __gnu_cxx::__freeres();
  return TRUE;
}
