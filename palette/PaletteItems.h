// The palette's items by their ids in dialog resource 18000, and its other resource numbers.
#pragma once

#include <stdint.h>

namespace tavrix {

inline constexpr int32_t kPaletteDialogId = 18000;
inline constexpr int32_t kFlyoutMenuId = 700;
inline constexpr char kPaletteDialogName[] = "Zuva";

namespace item {
inline constexpr int32_t kPointXLabel = 1;
inline constexpr int32_t kPointYLabel = 2;
inline constexpr int32_t kPointIndexLabel = 3;
inline constexpr int32_t kPointXSpin = 4;
inline constexpr int32_t kPointYField = 5;
inline constexpr int32_t kPointXField = 6;
inline constexpr int32_t kPointYSpin = 7;
inline constexpr int32_t kPointIndexSpin = 8;
inline constexpr int32_t kInOutDivider = 10;
inline constexpr int32_t kInOutSectionTriangle = 11;
inline constexpr int32_t kInOutSectionLabel = 12;
inline constexpr int32_t kInLabel = 13;
inline constexpr int32_t kInXSpin = 14;
inline constexpr int32_t kInYSpin = 15;
inline constexpr int32_t kInXField = 16;
inline constexpr int32_t kInYField = 17;
inline constexpr int32_t kOutLabel = 18;
inline constexpr int32_t kOutXSpin = 19;
inline constexpr int32_t kOutYSpin = 20;
inline constexpr int32_t kOutXField = 21;
inline constexpr int32_t kOutYField = 22;
inline constexpr int32_t kYBoundsValue = 23;
inline constexpr int32_t kLockAngleCheckbox = 24;
inline constexpr int32_t kLockAngleLabel = 25;
inline constexpr int32_t kPathDivider = 26;
inline constexpr int32_t kPathSectionTriangle = 27;
inline constexpr int32_t kPathSectionLabel = 28;
inline constexpr int32_t kPathPointsLabel = 29;
inline constexpr int32_t kPathPointsValue = 30;
inline constexpr int32_t kPathLengthLabel = 31;
inline constexpr int32_t kPathLengthValue = 32;
inline constexpr int32_t kPathAreaLabel = 33;
inline constexpr int32_t kPathAreaValue = 34;
inline constexpr int32_t kXBoundsLabel = 35;
inline constexpr int32_t kXBoundsValue = 36;
inline constexpr int32_t kYBoundsLabel = 37;
inline constexpr int32_t kPointIndexField = 38;
inline constexpr int32_t kKeyboardIncrementValue = 39;
inline constexpr int32_t kKeyboardIncrementLabel = 40;
inline constexpr int32_t kCornerCheckbox = 41;
inline constexpr int32_t kCornerLabel = 42;
inline constexpr int32_t kInOutXLabel = 43;
inline constexpr int32_t kInOutYLabel = 44;
inline constexpr int32_t kPointSectionTriangle = 45;
inline constexpr int32_t kPointSectionLabel = 46;
inline constexpr int32_t kFlyoutMenu = -5;
}  // namespace item

// Entries of the flyout menu, by their menu numbers.
namespace flyout {
inline constexpr int32_t kIncreasePrecision = 1;
inline constexpr int32_t kDecreasePrecision = 2;
inline constexpr int32_t kModeHeading = 3;
inline constexpr int32_t kAbsolute = 4;
inline constexpr int32_t kRelative = 5;
inline constexpr int32_t kPolar = 6;
inline constexpr int32_t kBehaviourHeading = 7;
inline constexpr int32_t kShowCornerFlag = 8;
inline constexpr int32_t kAutoChangeCornerFlag = 9;
inline constexpr int32_t kAutoSetLockAngle = 10;
inline constexpr int32_t kVisualAidsHeading = 11;
inline constexpr int32_t kShowPathDirection = 12;
}  // namespace flyout

// In/Out display modes.
inline constexpr int32_t kAbsoluteMode = 1;
inline constexpr int32_t kRelativeMode = 2;
inline constexpr int32_t kPolarMode = 3;

}  // namespace tavrix
