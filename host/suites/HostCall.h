// Every suite function runs through HostCall: it consults the fault plan first and keeps any
// C++ exception of the host from crossing into the plug-in.
#pragma once

#include <exception>
#include <new>
#include <string>

#include "host/Host.h"

namespace tavrix::host {

// The answer of a suite that needs a document when none is open.
inline constexpr ASErr kNoDocumentErr = FourCharCode('D', 'O', 'C', '?');

// Records the exception being handled under the operation's name, with what the call answered
// instead ("an error", "its fallback"); never throws.
inline void RecordFailedHostCall(const char* operation, const char* answered) noexcept {
  try {
    std::string why = "an unknown exception";
    try {
      throw;
    } catch (const std::exception& error) {
      why = error.what();
    } catch (...) {
    }
    Host::Current().misuse().Record(std::string("'") + operation +
                                    "' failed inside the host and answered " + answered + ": " +
                                    why);
  } catch (...) {
  }
}

template <class Body>
ASErr HostCall(const char* operation, Body&& body) noexcept {
  try {
    Host& host = Host::Current();
    const HostCallMark mark;
    if (!host.AnyPluginCodeLoaded() && host.HasPlugins())
      host.misuse().Record(std::string("'") + operation +
                           "' was called while no plug-in code was loaded");
    const ASErr fault = host.faults().Check(operation);
    if (fault != kNoErr) return fault;
    return body(host);
  } catch (const std::bad_alloc&) {
    return kOutOfMemoryErr;
  } catch (...) {
    // A fault of the host itself: the plug-in gets an error, and the fault shows as misuse.
    RecordFailedHostCall(operation, "an error");
    return kBadParameterErr;
  }
}

}  // namespace tavrix::host
