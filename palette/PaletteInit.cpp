// The palette object: its start values, its dialog, and the wrapping of every item.
#include <initializer_list>

#include "core/ErrorReporting.h"
#include "core/PluginGlobals.h"
#include "core/SuiteTable.h"
#include "palette/ItemAccess.h"
#include "palette/PaletteItems.h"
#include "palette/VPointDBox.h"

namespace tavrix {

VPointDBox::VPointDBox(SPPluginRef plugin)
    : showPointData(1),
      showInOutData(0),
      showPathData(0),
      inOutMode(kRelativeMode),
      precision(3),
      showCornerCheckbox(1),
      autoChangeCornerFlag(0),
      autoSetLockAngle(0),
      showPathDirection(0),
      lockAngle(1),
      currentPath(0),
      pathClosed(0),
      segmentCount(0),
      currentPointIndex(-1),
      anchor{0, 0},
      inOffset{0, 0},
      outOffset{0, 0},
      cornerFlag(0),
      rulerUnits(kADMPointUnits),
      keyboardIncrement(1.0),
      forwardMarkPoint{0, 0},
      backwardMarkPoint{0, 0} {
  Create(plugin, kPaletteDialogName, kPaletteDialogId, kADMTabbedFloatingDialogStyle, 0);
}

ADMItemRef VPointDBox::NeededItem(int32_t itemId) const {
  // A palette missing one of its items would half work: its set-up fails instead.
  const ADMItemRef found = GetItem(itemId);
  if (found == nullptr) throw HostError(kBadParameterErr);
  return found;
}

VPointDBox::~VPointDBox() {
  selectedPaths.Clear();
  // The dialog can go before the plug-in does; the shell must not reach a palette that is gone.
  if (globals != nullptr && globals->palette == this) globals->palette = nullptr;
}

void VPointDBox::CreateCoordinatePair(KADMTextEditField*& field, int32_t fieldId, KADMSpin*& spin,
                                      int32_t spinId) {
  field = new KADMTextEditField(NeededItem(fieldId), this);
  ADMItem().SetPrecision(field->item, FieldPrecision());
  ADMItem().SetUnits(field->item, rulerUnits);
  SetItemText(field, "");
  spin = new KADMSpin(NeededItem(spinId), this);
  ADMItem().SetFloatValue(spin->item, 0.0f);
  ADMItem().SetUnits(spin->item, kADMNoUnits);
  spin->ShowArrowsOnly();
  EnableItem(field, false);
  EnableItem(spin, false);
}

ASErr VPointDBox::Init() {
  KADMBaseDialog::Init();
  const bool visible = ReadPreferences();

  pointSectionLabel = new KADMWidget(NeededItem(item::kPointSectionLabel), this);
  pointSectionTriangle = new KADMDisclosureTriangle(NeededItem(item::kPointSectionTriangle), this);
  pointSectionTriangle->collapsed = !showPointData;
  ADMItem().Invalidate(pointSectionTriangle->item);

  pointIndexSpin = new KADMSpin(NeededItem(item::kPointIndexSpin), this);
  ADMItem().SetIntValue(pointIndexSpin->item, 0);
  ADMItem().SetUnits(pointIndexSpin->item, kADMNoUnits);
  pointIndexSpin->ShowArrowsOnly();
  pointIndexField = new KADMTextEditField(NeededItem(item::kPointIndexField), this);
  ADMItem().SetIntValue(pointIndexField->item, 0);
  ADMItem().SetUnits(pointIndexField->item, kADMNoUnits);

  rulerUnits = ADMBasic().GetConcreteUnits(kADMAppUnits);

  pointXLabel = new KADMWidget(NeededItem(item::kPointXLabel), this);
  ADMItem().SetJustify(pointXLabel->item, kADMCenterJustify);
  pointYLabel = new KADMWidget(NeededItem(item::kPointYLabel), this);
  ADMItem().SetJustify(pointYLabel->item, kADMCenterJustify);
  pointIndexLabel = new KADMWidget(NeededItem(item::kPointIndexLabel), this);

  CreateCoordinatePair(pointXField, item::kPointXField, pointXSpin, item::kPointXSpin);
  CreateCoordinatePair(pointYField, item::kPointYField, pointYSpin, item::kPointYSpin);

  inOutSectionLabel = new KADMWidget(NeededItem(item::kInOutSectionLabel), this);
  inOutSectionTriangle = new KADMDisclosureTriangle(NeededItem(item::kInOutSectionTriangle), this);
  inOutSectionTriangle->collapsed = !showInOutData;
  ADMItem().Invalidate(inOutSectionTriangle->item);
  inOutDivider = new KADMWidget(NeededItem(item::kInOutDivider), this);
  inOutXLabel = new KADMWidget(NeededItem(item::kInOutXLabel), this);
  ADMItem().SetJustify(inOutXLabel->item, kADMCenterJustify);
  inOutYLabel = new KADMWidget(NeededItem(item::kInOutYLabel), this);
  ADMItem().SetJustify(inOutYLabel->item, kADMCenterJustify);
  inLabel = new KADMWidget(NeededItem(item::kInLabel), this);
  outLabel = new KADMWidget(NeededItem(item::kOutLabel), this);

  CreateCoordinatePair(inXField, item::kInXField, inXSpin, item::kInXSpin);
  CreateCoordinatePair(inYField, item::kInYField, inYSpin, item::kInYSpin);
  CreateCoordinatePair(outXField, item::kOutXField, outXSpin, item::kOutXSpin);
  CreateCoordinatePair(outYField, item::kOutYField, outYSpin, item::kOutYSpin);

  lockAngle = 1;
  lockAngleCheckbox = new KADMWidget(NeededItem(item::kLockAngleCheckbox), this);
  ADMItem().SetBooleanValue(lockAngleCheckbox->item, lockAngle != 0);
  lockAngleLabel = new KADMWidget(NeededItem(item::kLockAngleLabel), this);
  ShowItem(lockAngleCheckbox, inOutMode == kPolarMode);
  ShowItem(lockAngleLabel, inOutMode == kPolarMode);

  cornerCheckbox = new KADMWidget(NeededItem(item::kCornerCheckbox), this);
  cornerLabel = new KADMWidget(NeededItem(item::kCornerLabel), this);
  pathSectionLabel = new KADMWidget(NeededItem(item::kPathSectionLabel), this);
  pathSectionTriangle = new KADMDisclosureTriangle(NeededItem(item::kPathSectionTriangle), this);
  pathSectionTriangle->collapsed = !showPathData;
  ADMItem().Invalidate(pathSectionTriangle->item);
  pathDivider = new KADMWidget(NeededItem(item::kPathDivider), this);
  pathPointsValue = new KADMWidget(NeededItem(item::kPathPointsValue), this);
  pathLengthValue = new KADMWidget(NeededItem(item::kPathLengthValue), this);
  pathAreaValue = new KADMWidget(NeededItem(item::kPathAreaValue), this);
  xBoundsValue = new KADMWidget(NeededItem(item::kXBoundsValue), this);
  yBoundsValue = new KADMWidget(NeededItem(item::kYBoundsValue), this);
  keyboardIncrementValue = new KADMWidget(NeededItem(item::kKeyboardIncrementValue), this);
  pathPointsLabel = new KADMWidget(NeededItem(item::kPathPointsLabel), this);
  pathLengthLabel = new KADMWidget(NeededItem(item::kPathLengthLabel), this);
  pathAreaLabel = new KADMWidget(NeededItem(item::kPathAreaLabel), this);
  xBoundsLabel = new KADMWidget(NeededItem(item::kXBoundsLabel), this);
  yBoundsLabel = new KADMWidget(NeededItem(item::kYBoundsLabel), this);
  keyboardIncrementLabel = new KADMWidget(NeededItem(item::kKeyboardIncrementLabel), this);

  flyoutMenu = new KADMPopup(NeededItem(item::kFlyoutMenu), this, kFlyoutMenuId);
  for (int32_t heading :
       {flyout::kModeHeading, flyout::kBehaviourHeading, flyout::kVisualAidsHeading}) {
    flyoutMenu->EnableEntry(heading, false);
  }
  if (inOutMode >= kAbsoluteMode && inOutMode <= kPolarMode) {
    flyoutMenu->CheckEntry(flyout::kAbsolute + inOutMode - kAbsoluteMode, true);
  }
  if (showCornerCheckbox) flyoutMenu->CheckEntry(flyout::kShowCornerFlag, true);
  if (autoChangeCornerFlag) flyoutMenu->CheckEntry(flyout::kAutoChangeCornerFlag, true);
  if (autoSetLockAngle) flyoutMenu->CheckEntry(flyout::kAutoSetLockAngle, true);
  if (showPathDirection) flyoutMenu->CheckEntry(flyout::kShowPathDirection, true);

  CheckError(AIAnnotator().SetAnnotatorActive(globals->annotator, showPathDirection != 0));

  forwardMarkPoint = RealPoint{0, 0};
  backwardMarkPoint = RealPoint{0, 0};

  ApplyModeAndUnits();
  LayoutSections();
  initialised = true;
  // Shown or hidden once every item exists: a dialog manager may tell the palette at once, and
  // the palette answers by filling its items.
  ADMDialog().Show(dialog, visible);
  return kNoErr;
}

}  // namespace tavrix
