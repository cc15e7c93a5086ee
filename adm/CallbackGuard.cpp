#include "adm/CallbackGuard.h"

#include "core/PluginGlobals.h"

namespace tavrix {

SPPluginRef PluginOfDialog(ADMDialogRef dialog) noexcept {
  return sADMDialog != nullptr ? ADMDialog().GetPluginRef(dialog) : 0;
}

SPPluginRef PluginOfItem(ADMItemRef) noexcept {
  // Every item is the palette's, and the plug-in keeps its own reference since start-up: no
  // need to ask the dialog manager which dialog the item is in.
  return globals != nullptr ? globals->pluginRef : 0;
}

}  // namespace tavrix
