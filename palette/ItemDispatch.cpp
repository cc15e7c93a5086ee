// What the palette does with a user's change of one of its items: editing, arrow buttons,
// section triangles and the flyout menu.
#include "core/ErrorReporting.h"
#include "core/SuiteTable.h"
#include "palette/PaletteItems.h"
#include "palette/VPointDBox.h"

namespace tavrix {

void VPointDBox::ItemChanged(int32_t itemId) {
  switch (itemId) {
    case item::kPointSectionTriangle:
      ToggleSection(showPointData);
      return;
    case item::kInOutSectionTriangle:
      ToggleSection(showInOutData);
      return;
    case item::kPathSectionTriangle:
      ToggleSection(showPathData);
      return;
    case item::kFlyoutMenu:
      ChooseFlyoutEntry(flyoutMenu->SelectedNumber());
      return;
    default:
      break;
  }
  try {
    DispatchEdit(itemId);
  } catch (...) {
    // The dialog manager's callback tells the user; the palette must not go on showing values
    // that never reached the artwork, nor keep an arrow's step for the next click.
    RecoverFromFailedEdit();
    throw;
  }
}

void VPointDBox::DispatchEdit(int32_t itemId) {
  switch (itemId) {
    case item::kPointXField:
    case item::kPointYField:
      TypeCoordinate(itemId);
      break;
    case item::kInXField:
    case item::kInYField:
    case item::kOutXField:
    case item::kOutYField:
      TypeHandleValue(itemId);
      break;
    case item::kLockAngleCheckbox:
      lockAngle = ADMItem().GetBooleanValue(lockAngleCheckbox->item) != 0;
      break;
    case item::kCornerCheckbox:
      cornerFlag = ADMItem().GetBooleanValue(cornerCheckbox->item) != 0;
      CommitCurrentPoint();
      break;
    case item::kPointIndexField:
      SetCurrentPoint(ADMItem().GetIntValue(pointIndexField->item));
      break;
    case item::kPointXSpin:
    case item::kPointYSpin:
    case item::kInXSpin:
    case item::kInYSpin:
    case item::kOutXSpin:
    case item::kOutYSpin:
      StepArrow(itemId, ArrowOf(itemId));
      break;
    case item::kPointIndexSpin:
      StepPointArrow();
      break;
    default:
      break;
  }
}

KADMSpin* VPointDBox::ArrowOf(int32_t itemId) const {
  switch (itemId) {
    case item::kPointXSpin:
      return pointXSpin;
    case item::kPointYSpin:
      return pointYSpin;
    case item::kInXSpin:
      return inXSpin;
    case item::kInYSpin:
      return inYSpin;
    case item::kOutXSpin:
      return outXSpin;
    case item::kOutYSpin:
      return outYSpin;
    default:
      throw HostError(kBadParameterErr);
  }
}

void VPointDBox::ItemCommandClicked(int32_t itemId) {
  switch (itemId) {
    case item::kInXField:
    case item::kInYField:
    case item::kOutXField:
    case item::kOutYField:
      break;
    default:
      return;
  }
  try {
    CommandClickHandle(itemId);
  } catch (...) {
    RecoverFromFailedEdit();
    throw;
  }
}

void VPointDBox::RecoverFromFailedEdit() noexcept {
  ResetArrows();
  // Show the artwork as it is: an edit may have changed part of the selection before it failed.
  // When even reading it fails, show no point rather than values the next edit would write.
  try {
    if (UpdateFromSelection() == kNoErr) return;
  } catch (...) {
  }
  DropCurrentPoint();
}

}  // namespace tavrix
