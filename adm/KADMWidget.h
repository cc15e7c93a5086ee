// The framework's item: knows the dialog that owns it and tells it about the user's changes.
#pragma once

#include "adm/BaseADMItem.h"

namespace tavrix {

class KADMBaseDialog;

class KADMWidget : public BaseADMItem {
 public:
  KADMWidget(ADMItemRef ref, KADMBaseDialog* ownerDialog)
      : BaseADMItem(ref, 0), owner(ownerDialog), reportIntermediate(false) {}
  // The default handling first, so the item holds the user's change; then the owner hears of a
  // user change (and of an intermediate one when reportIntermediate is set).
  void Notify(ADMNotifierRef notifier) override;
  ~KADMWidget() override = default;

  KADMBaseDialog* owner;  // not owned
  bool reportIntermediate;

 protected:
  int32_t ItemId() const;
  static bool IsUserChange(ADMNotifierRef notifier);
  static bool IsIntermediateChange(ADMNotifierRef notifier);
};

}  // namespace tavrix
