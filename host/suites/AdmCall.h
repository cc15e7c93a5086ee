// The dialog manager's suite functions mostly answer values, not error codes. Each runs
// through AdmCall, which keeps any C++ exception of the host from reaching the plug-in and
// answers the fallback instead.
#pragma once

#include "host/Host.h"

namespace tavrix::host {

template <class Result, class Body>
Result AdmCall(Result fallback, Body&& body) noexcept {
  try {
    const HostCallMark mark;
    DialogManager& dialogs = Host::Current().dialogs();
    dialogs.CountCall();
    return body(dialogs);
  } catch (...) {
    return fallback;
  }
}

template <class Body>
void AdmDo(Body&& body) noexcept {
  try {
    const HostCallMark mark;
    DialogManager& dialogs = Host::Current().dialogs();
    dialogs.CountCall();
    body(dialogs);
  } catch (...) {
  }
}

}  // namespace tavrix::host
