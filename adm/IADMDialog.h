// One dialog-manager dialog, held by value.
#pragma once

#include "hostapi/ADMTypes.h"

namespace tavrix {

class IADMDialog {
 public:
  IADMDialog(ADMDialogRef ref = nullptr) : dialog(ref) {}  // NOLINT: converts like the reference
  operator ADMDialogRef() const { return dialog; }         // NOLINT

  // The dialog's item with that resource id (kADMFlyoutMenuItemID: the flyout menu).
  ADMItemRef GetItem(int32_t itemId) const;

  ADMDialogRef dialog;
};

}  // namespace tavrix
