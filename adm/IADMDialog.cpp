#include "adm/IADMDialog.h"

#include "core/SuiteTable.h"

namespace tavrix {

ADMItemRef IADMDialog::GetItem(int32_t itemId) const {
  return ADMDialog().GetItem(dialog, itemId);
}

}  // namespace tavrix
