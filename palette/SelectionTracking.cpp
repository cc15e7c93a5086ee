// Which path and which anchor the palette shows: the first selected path, and its first anchor
// whose anchor point itself is selected.
#include <initializer_list>

#include "core/ErrorReporting.h"
#include "core/SuiteTable.h"
#include "geometry/BezierCurve.h"
#include "palette/PaletteItems.h"
#include "palette/VPointDBox.h"

namespace tavrix {

ASErr VPointDBox::UpdateFromSelection() {
  const AIMatchingArtCriterion selectedPathsCriterion{kAIPathArtType, kAIArtSelectedAttribute,
                                                      kAIArtSelectedAttribute};
  AIArtHandle** matches = nullptr;
  int32_t matchCount = 0;
  const ASErr query =
      AIMatchingArt().GetMatchingArt(&selectedPathsCriterion, 1, &matches, &matchCount);
  if (query != kNoErr) {
    // No document, or no answer: keeping the old point would leave a handle the next edit
    // writes to. Nothing the user did went wrong, so nothing is said.
    ForgetCurrentPoint();
    return query;
  }

  selectedPaths.Clear();
  if (matchCount > 0) selectedPaths.AppendAll(*matches, static_cast<size_t>(matchCount));
  currentPath = selectedPaths.count() > 0 ? selectedPaths.At(0) : 0;
  AIMdMemory().MdMemoryDisposeHandle(matches);

  if (currentPath != 0) {
    try {
      ReadCurrentPath();
    } catch (...) {
      // Half read, the palette would hold the old point's index and values against the new
      // path, and the next typed value would land in an anchor nobody edited.
      DropCurrentPoint();
      throw;
    }
  }
  UpdateDirectionMarks(false);
  return RefreshDisplay();
}

void VPointDBox::ReadCurrentPath() {
  CheckError(AIPath().GetPathSegmentCount(currentPath, &segmentCount));
  currentPointIndex = -1;
  for (int16_t i = 0; i < segmentCount; ++i) {
    int16_t state = kAINotSelected;
    CheckError(AIPath().GetPathSegmentSelected(currentPath, i, &state));
    if (state == kAIAnchorSelected) {
      currentPointIndex = i;
      break;
    }
  }
  AIBoolean closed = 0;
  CheckError(AIPath().GetPathClosed(currentPath, &closed));
  pathClosed = closed != 0;
  // A closed path takes one number past each end, so that stepping can wrap round.
  ADMItem().SetMinIntValue(pointIndexField->item, pathClosed ? -1 : 0);
  ADMItem().SetMaxIntValue(pointIndexField->item, pathClosed ? segmentCount : segmentCount - 1);
  if (currentPointIndex != -1) LoadCurrentPoint();
}

void VPointDBox::DropCurrentPoint() noexcept {
  selectedPaths.Clear();
  currentPath = 0;
  currentPointIndex = -1;
  // Best effort: the failure being reported matters more than one that follows it.
  try {
    UpdateDirectionMarks(false);
    RefreshDisplay();
  } catch (...) {
  }
}

void VPointDBox::ForgetCurrentPoint() {
  UpdateDirectionMarks(false);
  selectedPaths.Clear();
  currentPath = 0;
  currentPointIndex = -1;
  RefreshDisplay();
}

void VPointDBox::LoadCurrentPoint() {
  ReadCurrentSegment();
  if (autoSetLockAngle) {
    lockAngle = IsSmooth(inOffset, outOffset);
    ADMItem().SetBooleanValue(lockAngleCheckbox->item, lockAngle != 0);
  }
}

void VPointDBox::ReadCurrentSegment() {
  PathSegment segment{};
  CheckError(
      AIPath().GetPathSegments(currentPath, static_cast<int16_t>(currentPointIndex), 1, &segment));
  anchor = segment.p;
  inOffset = RealPoint{segment.in.h - segment.p.h, segment.in.v - segment.p.v};
  outOffset = RealPoint{segment.out.h - segment.p.h, segment.out.v - segment.p.v};
  cornerFlag = segment.corner;
}

void VPointDBox::RefreshMenuState() {
  for (int32_t entry : {flyout::kIncreasePrecision, flyout::kDecreasePrecision, flyout::kAbsolute,
                        flyout::kRelative, flyout::kPolar, flyout::kShowCornerFlag,
                        flyout::kAutoChangeCornerFlag, flyout::kShowPathDirection}) {
    flyoutMenu->EnableEntry(entry, true);
  }
  // Lock angle acts only in Polar mode; with no point there is nothing it could mislead about.
  flyoutMenu->EnableEntry(flyout::kAutoSetLockAngle, !HasCurrentPoint() || inOutMode == kPolarMode);
}

}  // namespace tavrix
