// The dialog manager's suite functions mostly answer values, not error codes. Each runs
// through AdmCall, which keeps any C++ exception of the host from reaching the plug-in and
// answers the fallback instead. The exception is recorded as misuse under the operation's name:
// the plug-in was given an answer that is not the truth, and a fault of the host must show.
#pragma once

#include "host/Host.h"
#include "host/suites/HostCall.h"

namespace tavrix::host {

template <class Result, class Body>
Result AdmCall(const char* operation, Result fallback, Body&& body) noexcept {
  try {
    const HostCallMark mark;
    Host& host = Host::Current();
    host.faults().Count(operation);
    DialogManager& dialogs = host.dialogs();
    dialogs.CountCall();
    return body(dialogs);
  } catch (...) {
    RecordFailedHostCall(operation, "its fallback");
    return fallback;
  }
}

template <class Body>
void AdmDo(const char* operation, Body&& body) noexcept {
  try {
    const HostCallMark mark;
    Host& host = Host::Current();
    host.faults().Count(operation);
    DialogManager& dialogs = host.dialogs();
    dialogs.CountCall();
    body(dialogs);
  } catch (...) {
    RecordFailedHostCall(operation, "its fallback");
  }
}

}  // namespace tavrix::host
