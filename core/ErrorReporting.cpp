#include "core/ErrorReporting.h"

#include "core/StringIds.h"
#include "core/SuiteTable.h"

namespace tavrix {

void ShowErrorAlert(SPPluginRef plugin) noexcept {
  try {
    char text[256] = "";
    CheckError(
        ADMBasic().GetIndexString(plugin, kPaletteStrings, kErrorAlertText, text, sizeof text));
    ADMBasic().ErrorAlert(text);
  } catch (...) {
  }
}

}  // namespace tavrix
