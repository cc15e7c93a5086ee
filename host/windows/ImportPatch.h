// Points a loaded DLL's import of one system function at a function of the host.
//
// On Windows a plug-in asks user32 whether Shift or Ctrl is held, through GetAsyncKeyState. The
// stand-in host must answer with its simulated keyboard, and the plug-in it tests must be the
// very file a user installs, built against user32 like any plug-in. So the host rewrites the
// one slot of the plug-in's import address table that the loader filled with user32's
// function, once LoadLibrary has returned: a process-wide hook would reach the host's own
// calls and every other DLL, and a plug-in linked against the host program could never be
// installed into the real application. What the DLL's initialisers might ask while LoadLibrary
// runs still reaches user32; the plug-in's initialisers ask nothing of the keyboard.
#pragma once

#include <windows.h>

namespace tavrix::host {

// Rewrites every slot of `module`'s import table that imports `function` by name from `dll`
// (compared without regard to case) to `replacement`. Answers the number of slots rewritten:
// 0 when the module does not import it.
int RedirectImport(HMODULE module, const char* dll, const char* function, void* replacement);

}  // namespace tavrix::host
