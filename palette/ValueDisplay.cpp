// The current point's values in the palette's fields, in the document's units and the chosen
// In/Out mode, and the fields' units, steps, titles and tips.
#include <cmath>

#include <initializer_list>

#include "core/ErrorReporting.h"
#include "core/StringIds.h"
#include "core/SuiteTable.h"
#include "geometry/BezierCurve.h"
#include "geometry/VectorMath.h"
#include "palette/ItemAccess.h"
#include "palette/PaletteItems.h"
#include "palette/VPointDBox.h"

namespace tavrix {
namespace {

constexpr float kSmallestCoordinate = -32768.0f;

int32_t UnitCodeOfRulerUnits(int16_t rulerUnits) {
  switch (rulerUnits) {
    case kAIInchRulerUnits:
      return kADMInchUnits;
    case kAICentimeterRulerUnits:
      return kADMCentimeterUnits;
    case kAIPicaRulerUnits:
      return kADMPicaUnits;
    case kAIMillimeterRulerUnits:
      return kADMMillimeterUnits;
    case kAIPixelRulerUnits:
      return kADMPixelUnits;
    case kAIQRulerUnits:
      return kADMQUnits;
    default:
      return kADMPointUnits;
  }
}

float Degrees(float radians) {
  return static_cast<float>(radians * 180.0 / kPi);
}

// Tool-tip entries of string list 30200.
constexpr int32_t kDistanceStepTip = 4;
constexpr int32_t kAngleStepTip = 5;
constexpr int32_t kCornerTip = 6;
constexpr int32_t kLockAngleTip = 7;
constexpr int32_t kPointFieldsTip = 8;
constexpr int32_t kAbsoluteModeTip = 9;
constexpr int32_t kRelativeModeTip = 10;
constexpr int32_t kPolarLengthTip = 11;
constexpr int32_t kEqualLengthTip = 12;
constexpr int32_t kMakeSmoothTip = 13;
constexpr int32_t kPointIndexFieldTip = 14;
constexpr int32_t kPointIndexSpinTip = 15;
constexpr int32_t kPolarDirectionTip = 16;

}  // namespace

std::string VPointDBox::ValueText(float value, int32_t units, bool appendUnit) const {
  char text[kADMValueTextLength + 1] = "";
  ADMBasic().ValueToText(value, text, units, precision, appendUnit);
  return text;
}

std::string VPointDBox::ToolTip(int32_t entry) const {
  char text[256] = "";
  ADMBasic().GetIndexString(ADMDialog().GetPluginRef(dialog), kToolTipStrings, entry, text,
                            sizeof text);
  return text;
}

ASErr VPointDBox::RefreshDisplay() {
  if (HasCurrentPoint()) {
    ShowPointValues();
    if (showPathData) RefreshPathData();
  } else {
    BlankPointValues();
  }
  RefreshMenuState();
  return kNoErr;
}

void VPointDBox::BlankPointValues() {
  EnableItem(pointIndexSpin, false);
  EnableItem(pointIndexField, false);  // keeps its last text
  for (KADMTextEditField* field :
       {pointXField, pointYField, inXField, inYField, outXField, outYField}) {
    SetItemText(field, "");
    EnableItem(field, false);
  }
  for (KADMSpin* spin : {pointXSpin, pointYSpin, inXSpin, inYSpin, outXSpin, outYSpin}) {
    EnableItem(spin, false);
  }
  EnableItem(lockAngleCheckbox, false);
  EnableItem(cornerCheckbox, false);
  ShowOptionBoxes();
  for (KADMWidget* value : {pathPointsValue, pathLengthValue, pathAreaValue, xBoundsValue,
                            yBoundsValue, keyboardIncrementValue}) {
    SetItemText(value, "");
  }
}

void VPointDBox::ShowPointValues() {
  EnableItem(pointIndexSpin, true);
  EnableItem(pointIndexField, true);
  for (KADMTextEditField* field :
       {pointXField, pointYField, inXField, inYField, outXField, outYField}) {
    EnableItem(field, true);
  }
  for (KADMSpin* spin : {pointXSpin, pointYSpin, inXSpin, inYSpin, outXSpin, outYSpin}) {
    EnableItem(spin, true);
  }
  EnableItem(lockAngleCheckbox, true);
  EnableItem(cornerCheckbox, true);

  char index[16];
  std::snprintf(index, sizeof index, "%1d", static_cast<int>(currentPointIndex));
  ADMItem().SetIntValue(pointIndexField->item, currentPointIndex);
  SetItemText(pointIndexField, index);
  SetItemText(pointXField, ValueText(anchor.h, rulerUnits, true));
  SetItemText(pointYField, ValueText(anchor.v, rulerUnits, true));

  if (inOutMode == kRelativeMode) {
    SetItemText(inXField, ValueText(inOffset.h, rulerUnits, true));
    SetItemText(inYField, ValueText(inOffset.v, rulerUnits, true));
    SetItemText(outXField, ValueText(outOffset.h, rulerUnits, true));
    SetItemText(outYField, ValueText(outOffset.v, rulerUnits, true));
  } else if (inOutMode == kPolarMode) {
    ShowPolarHandle(true, inXField, inYField, inYSpin);
    ShowPolarHandle(false, outXField, outYField, outYSpin);
  } else {
    SetItemText(inXField, ValueText(anchor.h + inOffset.h, rulerUnits, true));
    SetItemText(inYField, ValueText(anchor.v + inOffset.v, rulerUnits, true));
    SetItemText(outXField, ValueText(anchor.h + outOffset.h, rulerUnits, true));
    SetItemText(outYField, ValueText(anchor.v + outOffset.v, rulerUnits, true));
  }

  if (ShowOptionBoxes()) ADMItem().SetBooleanValue(cornerCheckbox->item, cornerFlag != 0);
}

bool VPointDBox::ShowOptionBoxes() {
  // The same rule with or without a point: an option that does not apply is not shown.
  const bool cornerShown = showInOutData && showCornerCheckbox;
  ShowItem(cornerCheckbox, cornerShown);
  ShowItem(cornerLabel, cornerShown);
  const bool lockShown = inOutMode == kPolarMode && showInOutData;
  ShowItem(lockAngleCheckbox, lockShown);
  ShowItem(lockAngleLabel, lockShown);
  return cornerShown;
}

void VPointDBox::ShowPolarHandle(bool isIn, KADMTextEditField* lengthField,
                                 KADMTextEditField* directionField, KADMSpin* directionSpin) {
  // A retracted handle has no direction of its own: show where the curve runs at the anchor.
  const PolarForm polar = HandlePolar(isIn, true);
  SetItemText(lengthField, ValueText(polar.length, rulerUnits, true));
  SetItemText(directionField, ValueText(Degrees(polar.angle), kADMDegreeUnits, true));
  EnableItem(directionField, polar.length != 0.0f);
  EnableItem(directionSpin, polar.length != 0.0f);
}

float VPointDBox::RetractedHandleAngle(bool isIn) {
  int32_t neighbour = isIn ? currentPointIndex - 1 : currentPointIndex + 1;
  if (neighbour < 0 || neighbour >= segmentCount) {
    if (!pathClosed) return 0.0f;
    neighbour = isIn ? segmentCount - 1 : 0;
  }
  PathSegment other{};
  CheckError(AIPath().GetPathSegments(currentPath, static_cast<int16_t>(neighbour), 1, &other));
  const RealPoint in{anchor.h + inOffset.h, anchor.v + inOffset.v};
  const RealPoint out{anchor.h + outOffset.h, anchor.v + outOffset.v};
  return isIn ? InTangentAngle(other.p, other.out, in, anchor)
              : OutTangentAngle(anchor, out, other.in, other.p);
}

void VPointDBox::ApplyModeAndUnits() {
  int16_t documentUnits = kAIPointRulerUnits;
  rulerUnits = AIDocument().GetDocumentRulerUnits(&documentUnits) == kNoErr
                   ? UnitCodeOfRulerUnits(documentUnits)
                   : kADMPointUnits;
  const bool polar = inOutMode == kPolarMode;
  const int32_t directionUnits = polar ? kADMDegreeUnits : rulerUnits;
  for (KADMTextEditField* field : {pointXField, pointYField, inXField, outXField}) {
    ADMItem().SetUnits(field->item, rulerUnits);
  }
  ADMItem().SetUnits(inYField->item, directionUnits);
  ADMItem().SetUnits(outYField->item, directionUnits);
  ADMItem().SetMinFloatValue(inXField->item, polar ? 0.0f : kSmallestCoordinate);
  ADMItem().SetMinFloatValue(outXField->item, polar ? 0.0f : kSmallestCoordinate);

  double increment = keyboardIncrement;
  if (AIPreference().GetRealPreference(nullptr, kAICursorKeyLengthPreference, &increment) ==
      kNoErr) {
    keyboardIncrement = increment;
  }
  const float distanceStep = static_cast<float>(keyboardIncrement);
  const float directionStep = polar ? 1.0f : distanceStep;
  for (KADMTextEditField* field : {pointXField, pointYField, inXField, outXField}) {
    ADMItem().SetSmallIncrement(field->item, distanceStep);
  }
  ADMItem().SetSmallIncrement(inYField->item, directionStep);
  ADMItem().SetSmallIncrement(outYField->item, directionStep);
  for (KADMSpin* spin : {pointXSpin, pointYSpin, inXSpin, outXSpin}) {
    ADMItem().SetLargeIncrement(spin->item, distanceStep);
    ADMItem().SetSmallIncrement(spin->item, distanceStep);
  }
  for (KADMSpin* spin : {inYSpin, outYSpin}) {
    ADMItem().SetLargeIncrement(spin->item, directionStep);
    ADMItem().SetSmallIncrement(spin->item, directionStep);
  }

  RefreshToolTips();
  SetItemText(inOutXLabel, polar ? "Length" : "X");
  SetItemText(inOutYLabel, polar ? "Direction" : "Y");
  RefreshDisplay();
}

void VPointDBox::RefreshToolTips() {
  const auto tip = [](const BaseADMItem* w, const std::string& text) {
    ADMItem().SetTipString(w->item, text.c_str());
  };
  const bool polar = inOutMode == kPolarMode;
  tip(pointIndexField, ToolTip(kPointIndexFieldTip));
  tip(pointIndexSpin, ToolTip(kPointIndexSpinTip));
  const std::string distanceStep = ToolTip(kDistanceStepTip);
  for (KADMSpin* spin : {pointXSpin, pointYSpin, inXSpin, outXSpin}) tip(spin, distanceStep);
  const std::string directionStep = polar ? ToolTip(kAngleStepTip) : distanceStep;
  tip(inYSpin, directionStep);
  tip(outYSpin, directionStep);
  tip(cornerCheckbox, ToolTip(kCornerTip));
  tip(lockAngleCheckbox, ToolTip(kLockAngleTip));
  tip(pointXField, ToolTip(kPointFieldsTip));
  tip(pointYField, ToolTip(kPointFieldsTip));
  const std::string mode = inOutMode == kAbsoluteMode   ? ToolTip(kAbsoluteModeTip)
                           : inOutMode == kRelativeMode ? ToolTip(kRelativeModeTip)
                           : polar                      ? ToolTip(kPolarLengthTip)
                                                        : std::string();
  tip(inXField, mode + ToolTip(kEqualLengthTip));
  tip(outXField, mode + ToolTip(kEqualLengthTip));
  const std::string direction =
      (polar ? ToolTip(kPolarDirectionTip) : mode) + ToolTip(kMakeSmoothTip);
  tip(inYField, direction);
  tip(outYField, direction);
}

}  // namespace tavrix
