#include "adm/KADMPopup.h"

#include "core/SuiteTable.h"

namespace tavrix {

KADMPopup::KADMPopup(ADMItemRef ref, KADMBaseDialog* ownerDialog, int32_t menuResourceId)
    : KADMWidget(ref, ownerDialog) {
  ADMList().SetMenuID(List(), menuResourceId);
}

ADMListRef KADMPopup::List() const {
  return ADMItem().GetList(item);
}

int32_t KADMPopup::SelectedNumber() const {
  return ADMEntry().GetIndex(ADMList().GetActiveEntry(List())) + 1;
}

void KADMPopup::EnableEntry(int32_t menuNumber, bool enable) {
  ADMEntry().Enable(ADMList().GetEntry(List(), menuNumber), enable);
}

void KADMPopup::CheckEntry(int32_t menuNumber, bool check) {
  ADMEntry().Check(ADMList().GetEntry(List(), menuNumber), check);
}

}  // namespace tavrix
