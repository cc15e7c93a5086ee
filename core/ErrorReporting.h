// Host errors become exceptions at the call that failed; the handlers that face the user turn
// them back into one alert and the plug-in's own error code.
#pragma once

#include <exception>

#include "hostapi/HostTypes.h"

namespace tavrix {

class HostError : public std::exception {
 public:
  explicit HostError(ASErr code) : code_(code) {}
  ASErr code() const { return code_; }
  const char* what() const noexcept override { return "host call failed"; }

 private:
  ASErr code_;
};

// Returns at once for 0, throws HostError otherwise.
inline void CheckError(ASErr error) {
  if (error != kNoErr) throw HostError(error);
}

// Shows "Error in Tavrix" from the string table. Never throws: a failure inside the alert
// itself is dropped, since there is nobody left to tell.
void ShowErrorAlert(SPPluginRef plugin) noexcept;

// How many error alerts the plug-in has shown.
unsigned AlertsShown() noexcept;

// Runs `action`; any exception ends it with the error alert and kExTrErr. A failure a
// dialog-manager callback inside it already told the user of also answers kExTrErr, without a
// second alert.
template <class Action>
ASErr RunReportingErrors(SPPluginRef plugin, Action&& action) noexcept {
  const unsigned before = AlertsShown();
  try {
    action();
    return AlertsShown() == before ? kNoErr : kExTrErr;
  } catch (...) {
    ShowErrorAlert(plugin);
    return kExTrErr;
  }
}

}  // namespace tavrix
