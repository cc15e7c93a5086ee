#include "adm/KADMPictureButton.h"

#include "adm/KADMBaseDialog.h"

namespace tavrix {

void KADMPictureButton::ReportChange(ADMNotifierRef notifier) {
  if (IsUserChange(notifier)) owner->ItemChanged(ItemId());
}

}  // namespace tavrix
