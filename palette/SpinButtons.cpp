// The arrow buttons beside the fields: each click nudges its value by the keyboard increment
// (one degree for a Polar direction), ten times more with Shift, a tenth with Ctrl; the Point
// field's arrows walk through the anchors.
#include <initializer_list>

#include "core/SuiteTable.h"
#include "palette/PaletteItems.h"
#include "palette/VPointDBox.h"
#include "platform/KeyState.h"

namespace tavrix {

float VPointDBox::ModifierFactor() {
  if (AsyncKeyState(kShiftVirtualKey) != 0) return 10.0f;
  if (AsyncKeyState(kControlVirtualKey) != 0) return 0.1f;
  return 1.0f;
}

void VPointDBox::StepArrow(int32_t itemId, KADMSpin* spin) {
  const float step = ADMItem().GetFloatValue(spin->item) * ModifierFactor();
  // The arrow rests at 0 between clicks, so every repeat of a held button is one more step.
  ADMItem().SetFloatValue(spin->item, 0.0f);
  if (!HasCurrentPoint()) return;

  const bool polar = inOutMode == kPolarMode;
  switch (itemId) {
    case item::kPointXSpin:
      anchor.h += step;
      break;
    case item::kPointYSpin:
      anchor.v += step;
      break;
    case item::kInXSpin:
    case item::kOutXSpin: {
      const bool isIn = itemId == item::kInXSpin;
      if (polar) {
        const PolarForm handle = HandlePolar(isIn, true);
        SetHandleLength(isIn, handle, handle.length + step);
      } else {
        Handle(isIn).h += step;
      }
      break;
    }
    case item::kInYSpin:
    case item::kOutYSpin: {
      const bool isIn = itemId == item::kInYSpin;
      if (!polar) {
        Handle(isIn).v += step;
        break;
      }
      const float delta = static_cast<float>(step * kPi / 180.0);
      const PolarForm handle = HandlePolar(isIn, isIn);
      TurnHandle(isIn, handle, handle.angle + delta, delta);
      break;
    }
    default:
      return;
  }
  CommitCurrentPoint();
  RefreshDisplay();
}

void VPointDBox::StepPointArrow() {
  const int32_t steps = ADMItem().GetIntValue(pointIndexSpin->item);
  SetCurrentPoint(currentPointIndex + steps);
  ADMItem().SetIntValue(pointIndexSpin->item, 0);
}

void VPointDBox::ResetArrows() noexcept {
  for (KADMSpin* spin :
       {pointXSpin, pointYSpin, inXSpin, inYSpin, outXSpin, outYSpin, pointIndexSpin}) {
    if (spin != nullptr) ADMItem().SetFloatValue(spin->item, 0.0f);
  }
}

}  // namespace tavrix
