// The palette's flyout menu: precision, In/Out mode, options and the path-direction marks.
#include <algorithm>

#include <initializer_list>

#include "core/ErrorReporting.h"
#include "core/PluginGlobals.h"
#include "core/SuiteTable.h"
#include "palette/PaletteItems.h"
#include "palette/VPointDBox.h"

namespace tavrix {

void VPointDBox::ChooseFlyoutEntry(int32_t number) {
  const auto toggle = [this, number](int32_t& option) {
    option = option == 0 ? 1 : 0;
    flyoutMenu->CheckEntry(number, option != 0);
  };
  switch (number) {
    case flyout::kIncreasePrecision:
      // A stored precision may be any number: no step may overflow it.
      precision = precision >= 6 ? 6 : precision + 1;
      ApplyPrecisionToFields();
      RefreshDisplay();
      break;
    case flyout::kDecreasePrecision:
      precision = precision <= 0 ? 0 : precision - 1;
      ApplyPrecisionToFields();
      RefreshDisplay();
      break;
    case flyout::kAbsolute:
    case flyout::kRelative:
    case flyout::kPolar:
      inOutMode = number - flyout::kAbsolute + kAbsoluteMode;
      ApplyModeAndUnits();
      for (int32_t entry : {flyout::kAbsolute, flyout::kRelative, flyout::kPolar}) {
        flyoutMenu->CheckEntry(entry, entry == number);
      }
      break;
    case flyout::kShowCornerFlag:
      toggle(showCornerCheckbox);
      RefreshDisplay();
      break;
    case flyout::kAutoChangeCornerFlag:
      toggle(autoChangeCornerFlag);
      RefreshDisplay();
      break;
    case flyout::kAutoSetLockAngle:
      toggle(autoSetLockAngle);
      RefreshDisplay();
      break;
    case flyout::kShowPathDirection:
      toggle(showPathDirection);
      CheckError(AIAnnotator().SetAnnotatorActive(globals->annotator, showPathDirection != 0));
      UpdateDirectionMarks(showPathDirection != 0);
      break;
    default:
      break;
  }
}

int32_t VPointDBox::FieldPrecision() const {
  // A field rounds what is typed to its own decimals before the palette reads it. Showing more
  // decimals widens what it keeps; showing fewer must not drop what a person typed.
  return precision > kTypedPrecision ? precision : kTypedPrecision;
}

void VPointDBox::ApplyPrecisionToFields() {
  for (KADMTextEditField* field :
       {pointXField, pointYField, inXField, inYField, outXField, outYField}) {
    ADMItem().SetPrecision(field->item, FieldPrecision());
  }
}

}  // namespace tavrix
