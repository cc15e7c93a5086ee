// A menu list filled from a menu resource: the palette's flyout menu.
#pragma once

#include "adm/KADMWidget.h"

namespace tavrix {

class KADMPopup : public KADMWidget {
 public:
  KADMPopup(ADMItemRef ref, KADMBaseDialog* ownerDialog, int32_t menuResourceId);
  ~KADMPopup() override = default;

  // The chosen entry's position counted from 1; with the palette's menu, its menu number.
  int32_t SelectedNumber() const;
  void EnableEntry(int32_t menuNumber, bool enable);
  void CheckEntry(int32_t menuNumber, bool check);

 private:
  ADMListRef List() const;
};

}  // namespace tavrix
