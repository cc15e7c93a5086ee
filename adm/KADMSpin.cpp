#include "adm/KADMSpin.h"

#include <cmath>

#include "adm/KADMBaseDialog.h"
#include "core/SuiteTable.h"

namespace tavrix {

void KADMSpin::ReportChange(ADMNotifierRef notifier) {
  if (!IsUserChange(notifier) && !IsIntermediateChange(notifier)) return;
  const float step = ADMItem().GetFloatValue(item);
  if (step != 0.0f && !std::isnan(step)) owner->ItemChanged(ItemId());
}

void KADMSpin::ShowArrowsOnly() {
  ADMItem().Show(item, true);
  ADMItem().Show(ADMItem().GetChildItem(item, kADMSpinEditTextChild), false);
}

}  // namespace tavrix
