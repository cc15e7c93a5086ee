// The framework's item: knows the dialog that owns it and tells it about the user's changes.
#pragma once

#include "adm/BaseADMItem.h"

namespace tavrix {

class KADMBaseDialog;

class KADMWidget : public BaseADMItem {
 public:
  KADMWidget(ADMItemRef ref, KADMBaseDialog* ownerDialog)
      : BaseADMItem(ref, 0), owner(ownerDialog), reportIntermediate(false) {}
  // The default handling first, so the item holds the user's change; then ReportChange tells
  // the owner what it should hear. Widgets differ only in what they report, never in the
  // default handling, so Notify itself is not theirs to replace.
  void Notify(ADMNotifierRef notifier) final;
  ~KADMWidget() override = default;

  KADMBaseDialog* owner;  // not owned
  bool reportIntermediate;

 protected:
  // A user change (and an intermediate one when reportIntermediate is set) reaches the owner.
  virtual void ReportChange(ADMNotifierRef notifier);
  int32_t ItemId() const;
  static bool IsUserChange(ADMNotifierRef notifier);
  static bool IsIntermediateChange(ADMNotifierRef notifier);
};

}  // namespace tavrix
