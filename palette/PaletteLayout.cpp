// The three sections, the palette's height, its visibility from the menu item, and its
// reaction to the window being shown, hidden, expanded or collapsed.
#include "core/ErrorReporting.h"
#include "core/PluginGlobals.h"
#include "core/StringIds.h"
#include "core/SuiteTable.h"
#include "palette/ItemAccess.h"
#include "palette/PaletteItems.h"
#include "palette/VPointDBox.h"

namespace tavrix {
namespace {

constexpr int32_t kPointOpenHeight = 76;
constexpr int32_t kInOutOpenHeight = 112;
constexpr int32_t kPathOpenHeight = 110;
constexpr int32_t kClosedHeight = 28;
constexpr int32_t kFrameHeight = 32;

// Section titles: each offers to hide an open section or to show a closed one.
constexpr int32_t kShowPathTitle = 11;
constexpr int32_t kHidePathTitle = 12;
constexpr int32_t kShowInOutTitle = 13;
constexpr int32_t kHideInOutTitle = 14;
constexpr int32_t kShowPointTitle = 15;
constexpr int32_t kHidePointTitle = 16;

void Place(const BaseADMItem* w, int32_t h, int32_t v, bool show) {
  MoveItem(w, h, v);
  ShowItem(w, show);
}

// A spin is shown through ShowArrowsOnly, so its own text part stays hidden.
void Place(KADMSpin* spin, int32_t h, int32_t v, bool show) {
  MoveItem(spin, h, v);
  if (show) {
    spin->ShowArrowsOnly();
  } else {
    ShowItem(spin, false);
  }
}

}  // namespace

std::string VPointDBox::LoadPaletteString(int32_t index) const {
  char text[256] = "";
  ADMBasic().GetIndexString(ADMDialog().GetPluginRef(dialog), kPaletteStrings, index, text,
                            sizeof text);
  return text;
}

void VPointDBox::LayoutSections() {
  const int32_t pointHeight = showPointData ? kPointOpenHeight : kClosedHeight;
  const int32_t inOutHeight = showInOutData ? kInOutOpenHeight : kClosedHeight;
  const int32_t pathHeight = showPathData ? kPathOpenHeight : kClosedHeight;
  ADMRect bounds{};
  ADMDialog().GetBoundsRect(dialog, &bounds);
  bounds.bottom = bounds.top + pointHeight + inOutHeight + pathHeight + kFrameHeight;
  ADMDialog().SetBoundsRect(dialog, &bounds);

  const bool point = showPointData != 0;
  MoveItem(pointSectionLabel, 24, 6);
  MoveItem(pointSectionTriangle, 4, 6);
  SetItemText(pointSectionLabel, LoadPaletteString(point ? kHidePointTitle : kShowPointTitle));
  Place(pointXLabel, 60, 28, point);
  Place(pointYLabel, 140, 28, point);
  Place(pointIndexLabel, 260, 28, point);
  Place(pointXSpin, 52, 44, point);
  Place(pointXField, 65, 44, point);
  Place(pointYSpin, 132, 44, point);
  Place(pointYField, 145, 44, point);
  Place(pointIndexSpin, 240, 44, point);
  Place(pointIndexField, 253, 44, point);

  const int32_t t = pointHeight;
  const bool inOut = showInOutData != 0;
  MoveItem(inOutSectionLabel, 24, t + 6);
  MoveItem(inOutSectionTriangle, 4, t + 6);
  MoveItem(inOutDivider, 0, t);
  SetItemText(inOutSectionLabel, LoadPaletteString(inOut ? kHideInOutTitle : kShowInOutTitle));
  Place(inOutXLabel, 60, t + 28, inOut);
  Place(inOutYLabel, 140, t + 28, inOut);
  Place(inLabel, 12, t + 48, inOut);
  Place(outLabel, 12, t + 84, inOut);
  Place(inXSpin, 52, t + 44, inOut);
  Place(inXField, 65, t + 44, inOut);
  Place(inYSpin, 132, t + 44, inOut);
  Place(inYField, 145, t + 44, inOut);
  Place(outXSpin, 52, t + 80, inOut);
  Place(outXField, 65, t + 80, inOut);
  Place(outYSpin, 132, t + 80, inOut);
  Place(outYField, 145, t + 80, inOut);
  const bool lockShown = inOut && inOutMode == kPolarMode;
  Place(lockAngleCheckbox, 230, t + 70, lockShown);
  Place(lockAngleLabel, 252, t + 74, lockShown);
  const bool cornerShown = inOut && showCornerCheckbox != 0;
  Place(cornerCheckbox, 230, t + 46, cornerShown);
  Place(cornerLabel, 252, t + 50, cornerShown);

  const int32_t u = pointHeight + inOutHeight;
  const bool path = showPathData != 0;
  MoveItem(pathSectionTriangle, 4, u + 6);
  MoveItem(pathSectionLabel, 24, u + 6);
  MoveItem(pathDivider, 0, u);
  SetItemText(pathSectionLabel, LoadPaletteString(path ? kHidePathTitle : kShowPathTitle));
  const struct {
    KADMWidget* title;
    KADMWidget* value;
    int32_t offset;
  } rows[] = {
      {pathPointsLabel, pathPointsValue, 24}, {pathLengthLabel, pathLengthValue, 36},
      {pathAreaLabel, pathAreaValue, 48},     {xBoundsLabel, xBoundsValue, 60},
      {yBoundsLabel, yBoundsValue, 72},       {keyboardIncrementLabel, keyboardIncrementValue, 88}};
  for (const auto& row : rows) {
    Place(row.title, 4, u + row.offset, path);
    Place(row.value, 100, u + row.offset, path);
  }
}

void VPointDBox::SetSelectionNotifiersActive(bool active) {
  CheckError(AINotifier().SetNotifierActive(globals->selectionNotifier, active));
  CheckError(AINotifier().SetNotifierActive(globals->preferenceNotifier, active));
}

void VPointDBox::ToggleVisibility() {
  const bool show = !ADMDialog().IsVisible(dialog);
  CheckError(AIMenu().CheckItem(globals->menuItem, show));
  SetSelectionNotifiersActive(show);
  ADMDialog().Show(dialog, show);
}

void VPointDBox::Notify(ADMNotifierRef notifier) {
  KADMBaseDialog::Notify(notifier);
  // A palette whose set-up did not finish is about to go; its items may not exist.
  if (!initialised) return;
  const auto is = [notifier](const char* type) {
    return ADMNotifier().IsNotifierType(notifier, type) != 0;
  };
  if (is(kADMShowWindowNotifier)) {
    CheckError(AIMenu().CheckItem(globals->menuItem, true));
    SetSelectionNotifiersActive(true);
    ApplyModeAndUnits();
    UpdateFromSelection();
    if (showPathDirection) {
      CheckError(AIAnnotator().SetAnnotatorActive(globals->annotator, true));
      UpdateDirectionMarks(true);
    }
  } else if (is(kADMHideWindowNotifier)) {
    CheckError(AIMenu().CheckItem(globals->menuItem, false));
    SetSelectionNotifiersActive(false);
    if (showPathDirection) {
      CheckError(AIAnnotator().SetAnnotatorActive(globals->annotator, false));
      UpdateDirectionMarks(false);
    }
    currentPath = 0;
  } else if (is(kADMExpandNotifier)) {
    SetSelectionNotifiersActive(true);
    UpdateFromSelection();
    if (showPathDirection) {
      CheckError(AIAnnotator().SetAnnotatorActive(globals->annotator, true));
      UpdateDirectionMarks(true);
    }
  } else if (is(kADMCollapseNotifier)) {
    SetSelectionNotifiersActive(false);
    // A collapsed palette no longer follows the selection, so its marks would soon show a
    // point that is not current: they go until it opens again.
    if (showPathDirection) {
      CheckError(AIAnnotator().SetAnnotatorActive(globals->annotator, false));
      UpdateDirectionMarks(false);
    }
  }
}

void VPointDBox::ToggleSection(int32_t& sectionFlag) {
  sectionFlag = !sectionFlag;
  LayoutSections();
  RefreshDisplay();
}

}  // namespace tavrix
