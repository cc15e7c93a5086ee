#include "adm/KADMPictureButton.h"

#include "adm/KADMBaseDialog.h"

namespace tavrix {

void KADMPictureButton::Notify(ADMNotifierRef notifier) {
  BaseADMItem::Notify(notifier);
  if (IsUserChange(notifier)) owner->ItemChanged(ItemId());
}

}  // namespace tavrix
