#include "adm/KADMBaseDialog.h"

#include "core/SuiteTable.h"

namespace tavrix {

void KADMBaseDialogFloat::Notify(ADMNotifierRef notifier) {
  if (ADMNotifier().IsNotifierType(notifier, kADMCollapseNotifier)) return;
  KADMBaseDialog::Notify(notifier);
}

}  // namespace tavrix
