#include "adm/KADMWidget.h"

#include "adm/KADMBaseDialog.h"
#include "core/SuiteTable.h"

namespace tavrix {

int32_t KADMWidget::ItemId() const {
  return ADMItem().GetID(item);
}

bool KADMWidget::IsUserChange(ADMNotifierRef notifier) {
  return ADMNotifier().IsNotifierType(notifier, kADMUserChangedNotifier) != 0;
}

bool KADMWidget::IsIntermediateChange(ADMNotifierRef notifier) {
  return ADMNotifier().IsNotifierType(notifier, kADMIntermediateChangedNotifier) != 0;
}

void KADMWidget::Notify(ADMNotifierRef notifier) {
  BaseADMItem::Notify(notifier);
  ReportChange(notifier);
}

void KADMWidget::ReportChange(ADMNotifierRef notifier) {
  if (IsUserChange(notifier) || (reportIntermediate && IsIntermediateChange(notifier))) {
    owner->ItemChanged(ItemId());
  }
}

}  // namespace tavrix
