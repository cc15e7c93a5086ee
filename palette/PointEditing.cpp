// The write side of the palette: typed coordinates and handle values, the Corner and Lock angle
// boxes, Command-clicks, the Point field, and the commit of the working copy to the artwork.
#include <algorithm>
#include <cmath>

#include "core/ErrorReporting.h"
#include "core/StringIds.h"
#include "core/SuiteTable.h"
#include "geometry/BezierCurve.h"
#include "palette/EditThresholds.h"
#include "palette/PaletteItems.h"
#include "palette/VPointDBox.h"

namespace tavrix {
namespace {

bool IsFinite(const RealPoint& p) {
  return std::isfinite(p.h) && std::isfinite(p.v);
}

RealPoint Sum(const RealPoint& a, const RealPoint& b) {
  return RealPoint{a.h + b.h, a.v + b.v};
}

float Radians(float degrees) {
  return static_cast<float>(degrees * kPi / 180.0);
}

}  // namespace

PolarForm VPointDBox::HandlePolar(bool isIn, bool withFallback) {
  PolarForm polar = CartesianToPolar(Handle(isIn).h, Handle(isIn).v);
  if (withFallback && static_cast<double>(polar.length) < kRetractedLength)
    polar.angle = RetractedHandleAngle(isIn);
  return polar;
}

void VPointDBox::SetHandleLength(bool isIn, const PolarForm& handle, float length) {
  // Shortened past its anchor, a handle stops there, retracted.
  Handle(isIn) = PolarToCartesian(std::max(length, 0.0f), handle.angle);
}

void VPointDBox::TurnHandle(bool isIn, const PolarForm& handle, float angle, float delta) {
  Handle(isIn) = PolarToCartesian(handle.length, angle);
  if (lockAngle) {
    // The opposite handle turns with it: the Out handle with its fallback, the In handle plain.
    const PolarForm opposite = HandlePolar(!isIn, isIn);
    Handle(!isIn) = PolarToCartesian(opposite.length, opposite.angle + delta);
  }
}

void VPointDBox::CommitCurrentPoint() {
  if (currentPath == 0 || currentPointIndex < 0 || currentPointIndex >= segmentCount) return;
  PathSegment segment{};
  segment.p = anchor;
  segment.in = Sum(anchor, inOffset);
  segment.out = Sum(anchor, outOffset);
  segment.corner = autoChangeCornerFlag ? !IsSmooth(inOffset, outOffset) : cornerFlag;
  if (!IsFinite(segment.p) || !IsFinite(segment.in) || !IsFinite(segment.out)) {
    // An overflow is no point anyone can draw: keep the artwork, and show it as it is.
    ReadCurrentSegment();
    RefreshDisplay();
    return;
  }
  CheckError(
      AIPath().SetPathSegments(currentPath, static_cast<int16_t>(currentPointIndex), 1, &segment));
  CheckError(AIUndo().SetUndoText(kUndoText, kRedoText));
}

void VPointDBox::SetCurrentPoint(int32_t index) {
  if (currentPath == 0) return;
  currentPointIndex = index;
  if (currentPointIndex < 0) {
    currentPointIndex = segmentCount - 1;
    ADMItem().SetIntValue(pointIndexField->item, currentPointIndex);
  } else if (currentPointIndex >= segmentCount) {
    currentPointIndex = 0;
    ADMItem().SetIntValue(pointIndexField->item, 0);
  }
  for (int16_t i = 0; i < segmentCount; ++i) {
    CheckError(AIPath().SetPathSegmentSelected(currentPath, i, kAINotSelected));
  }
  CheckError(AIPath().SetPathSegmentSelected(currentPath, static_cast<int16_t>(currentPointIndex),
                                             kAIAnchorSelected));
  LoadCurrentPoint();
}

bool VPointDBox::ReadFieldValue(const KADMTextEditField* field, int32_t units, float& value) {
  char text[64] = "";
  ADMItem().GetText(field->item, text, sizeof text);
  float converted = 0.0f;
  if (!ADMBasic().TextToValue(text, &converted, units) || !std::isfinite(converted)) return false;
  value = converted;
  return true;
}

void VPointDBox::TypeCoordinate(int32_t itemId) {
  if (!HasCurrentPoint()) return;
  const bool isX = itemId == item::kPointXField;
  float value = 0.0f;
  // A text that is no number changes nothing; the field shows the point again.
  if (!ReadFieldValue(isX ? pointXField : pointYField, rulerUnits, value)) {
    RefreshDisplay();
    return;
  }
  (isX ? anchor.h : anchor.v) = value;
  CommitCurrentPoint();
}

void VPointDBox::TypeHandleValue(int32_t itemId) {
  if (!HasCurrentPoint()) return;
  const bool isIn = itemId == item::kInXField || itemId == item::kInYField;
  const bool isX = itemId == item::kInXField || itemId == item::kOutXField;
  const bool polar = inOutMode == kPolarMode;
  const KADMTextEditField* field =
      isIn ? (isX ? inXField : inYField) : (isX ? outXField : outYField);
  float value = 0.0f;
  if (!ReadFieldValue(field, polar && !isX ? kADMDegreeUnits : rulerUnits, value)) {
    RefreshDisplay();
    return;
  }
  if (polar) {
    if (isX) {
      TypePolarLength(isIn, value);
    } else {
      TypePolarAngle(isIn, value);
    }
    return;
  }
  RealPoint& offset = Handle(isIn);
  const float anchorPart = isX ? anchor.h : anchor.v;
  (isX ? offset.h : offset.v) = inOutMode == kAbsoluteMode ? value - anchorPart : value;
  CommitCurrentPoint();
}

void VPointDBox::TypePolarLength(bool isIn, float length) {
  const PolarForm polar = HandlePolar(isIn, true);
  if (std::fabs(static_cast<double>(length) - polar.length) < kSmallestLengthChange) {
    RefreshDisplay();  // nothing is written; the field shows the length again
    return;
  }
  SetHandleLength(isIn, polar, length);
  CommitCurrentPoint();
}

void VPointDBox::TypePolarAngle(bool isIn, float degrees) {
  // The In handle's old direction counts its fallback; the Out handle's is its plain angle.
  const PolarForm old = HandlePolar(isIn, isIn);
  const float angle = Radians(degrees);
  const float delta = angle - old.angle;
  if (std::fabs(static_cast<double>(delta)) < kSmallestAngleChange) {
    RefreshDisplay();
    return;
  }
  TurnHandle(isIn, old, angle, delta);
  CommitCurrentPoint();
}

void VPointDBox::CommandClickHandle(int32_t itemId) {
  if (!HasCurrentPoint()) return;
  const bool isIn = itemId == item::kInXField || itemId == item::kInYField;
  const bool lengthField = itemId == item::kInXField || itemId == item::kOutXField;
  const PolarForm own = HandlePolar(isIn, lengthField);
  if (lengthField) {
    // As long as the opposite handle, in its own direction.
    const PolarForm opposite = HandlePolar(!isIn, false);
    Handle(isIn) = PolarToCartesian(opposite.length, own.angle);
  } else {
    // Exactly opposite the other handle, so the point is smooth; a retracted handle has no
    // direction to give.
    if (!(static_cast<double>(own.length) > kRetractedLength)) return;
    const PolarForm opposite = HandlePolar(!isIn, true);
    Handle(isIn) = PolarToCartesian(own.length, static_cast<float>(opposite.angle + kPi));
  }
  CommitCurrentPoint();
}

}  // namespace tavrix
