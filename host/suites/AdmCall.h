// The dialog manager's suite functions mostly answer values, not error codes. Each runs
// through AdmCall, which keeps any C++ exception of the host from reaching the plug-in and
// answers the fallback instead. The exception is recorded as misuse under the operation's name:
// the plug-in was given an answer that is not the truth, and a fault of the host must show.
#pragma once

#include <exception>
#include <string>
#include <utility>

#include "host/Host.h"

namespace tavrix::host {

// Records the exception being handled; never throws.
inline void RecordFailedAdmCall(const char* operation) noexcept {
  try {
    std::string why = "an unknown exception";
    try {
      throw;
    } catch (const std::exception& error) {
      why = error.what();
    } catch (...) {
    }
    // Host::Current() throws when there is no host: then there is no log to write to either.
    Host::Current().misuse().Record(std::string("'") + operation +
                                    "' failed inside the host and answered its fallback: " + why);
  } catch (...) {
  }
}

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
    RecordFailedAdmCall(operation);
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
    RecordFailedAdmCall(operation);
  }
}

}  // namespace tavrix::host
