#include "adm/KADMTextEditField.h"

#include "adm/KADMBaseDialog.h"
#include "core/SuiteTable.h"

namespace tavrix {

ASBoolean KADMTextEditField::Track(ADMTrackerRef tracker) {
  if (ADMTracker().TestAction(tracker, kADMButtonDownAction) &&
      ADMTracker().TestModifier(tracker, kADMCommandKeyModifier)) {
    owner->ItemCommandClicked(ItemId());
  }
  return BaseADMItem::Track(tracker);
}

void KADMTextEditField::ReportChange(ADMNotifierRef notifier) {
  if (IsUserChange(notifier)) owner->ItemChanged(ItemId());
}

}  // namespace tavrix
