// One dialog-manager item, held by value.
#pragma once

#include "hostapi/ADMTypes.h"

namespace tavrix {

class IADMItem {
 public:
  IADMItem(ADMItemRef ref = nullptr) : item(ref) {}  // NOLINT: converts like the reference
  operator ADMItemRef() const { return item; }       // NOLINT

  ADMItemRef item;
};

}  // namespace tavrix
