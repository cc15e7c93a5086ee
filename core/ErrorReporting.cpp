#include "core/ErrorReporting.h"

#include "core/StringIds.h"
#include "core/SuiteTable.h"

namespace tavrix {

namespace {

// Alerts shown so far: a handler learns whether a dialog-manager callback inside it already told
// the user of a failure.
unsigned alertsShown = 0;

}  // namespace

unsigned AlertsShown() noexcept {
  return alertsShown;
}

void ShowErrorAlert(SPPluginRef plugin) noexcept {
  ++alertsShown;
  try {
    char text[256] = "";
    CheckError(
        ADMBasic().GetIndexString(plugin, kPaletteStrings, kErrorAlertText, text, sizeof text));
    ADMBasic().ErrorAlert(text);
  } catch (...) {
  }
}

}  // namespace tavrix
