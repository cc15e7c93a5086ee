// The framework's dialog: what widgets report to, and the floating variant.
#pragma once

#include "adm/BaseADMDialog.h"

namespace tavrix {

class KADMBaseDialog : public BaseADMDialog {
 public:
  ~KADMBaseDialog() override = default;
  // A widget's item was changed by the user; the id is the item's dialog-resource id.
  virtual void ItemChanged(int32_t itemId) = 0;
  // A numeric field was clicked with the command key.
  virtual void ItemCommandClicked(int32_t /*itemId*/) {}
};

// A floating dialog that keeps itself from being collapsed: the collapse notification never
// reaches the default handling.
class KADMBaseDialogFloat : public KADMBaseDialog {
 public:
  void Notify(ADMNotifierRef notifier) override;
  ~KADMBaseDialogFloat() override = default;
};

}  // namespace tavrix
