// Dialog-manager callbacks are C functions: no exception may leave them. A failure inside one is
// told to the user with the plug-in's error alert, and the callback returns normally.
#pragma once

#include "core/ErrorReporting.h"
#include "core/SuiteTable.h"

namespace tavrix {

// The plug-in that owns a dialog or an item, for the alert.
SPPluginRef PluginOfDialog(ADMDialogRef dialog) noexcept;
SPPluginRef PluginOfItem(ADMItemRef item) noexcept;

template <class Result, class Body>
Result GuardCallback(SPPluginRef plugin, Result onFailure, Body&& body) noexcept {
  try {
    return body();
  } catch (...) {
    ShowErrorAlert(plugin);
    return onFailure;
  }
}

template <class Body>
void GuardCallback(SPPluginRef plugin, Body&& body) noexcept {
  try {
    body();
  } catch (...) {
    ShowErrorAlert(plugin);
  }
}

}  // namespace tavrix
