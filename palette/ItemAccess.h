// Short forms of the dialog manager's item operations on a wrapper, as the palette uses them.
#pragma once

#include <string>

#include "adm/BaseADMItem.h"
#include "core/SuiteTable.h"

namespace tavrix {

inline void SetItemText(const BaseADMItem* w, const std::string& text) {
  ADMItem().SetText(w->item, text.c_str());
}
inline void EnableItem(const BaseADMItem* w, bool enable) {
  ADMItem().Enable(w->item, enable);
}
inline void ShowItem(const BaseADMItem* w, bool show) {
  ADMItem().Show(w->item, show);
}
inline void MoveItem(const BaseADMItem* w, int32_t h, int32_t v) {
  ADMItem().Move(w->item, h, v);
}

}  // namespace tavrix
