#include "adm/CallbackGuard.h"

namespace tavrix {

SPPluginRef PluginOfDialog(ADMDialogRef dialog) noexcept {
  return sADMDialog != nullptr ? ADMDialog().GetPluginRef(dialog) : 0;
}

SPPluginRef PluginOfItem(ADMItemRef item) noexcept {
  if (sADMItem == nullptr) return 0;
  return PluginOfDialog(ADMItem().GetDialog(item));
}

}  // namespace tavrix
