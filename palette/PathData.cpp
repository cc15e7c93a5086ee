// The Path data section: facts about the whole current path, computed by the host each time.
#include <cmath>
#include <cstdio>

#include "core/ErrorReporting.h"
#include "core/SuiteTable.h"
#include "palette/ItemAccess.h"
#include "palette/VPointDBox.h"

namespace tavrix {
namespace {

constexpr float kLengthFlatness = 0.00001f;

// The area in square units of the ruler. It is formatted here, with three decimals whatever the
// precision: square units are beyond the dialog manager's unit texts.
std::string AreaText(float area, int32_t rulerUnits) {
  char text[64];
  const double squarePoints = std::fabs(static_cast<double>(area));
  switch (rulerUnits) {
    case kADMInchUnits:
      std::snprintf(text, sizeof text, "%4.3f sq. in ", squarePoints / 5184.0);
      break;
    case kADMCentimeterUnits:
      std::snprintf(text, sizeof text, "%4.3f sq. cm ", squarePoints / 803.5216070432141);
      break;
    case kADMMillimeterUnits:
      std::snprintf(text, sizeof text, "%4.3f sq. mm ", squarePoints / 8.035216070432142);
      break;
    default:
      std::snprintf(text, sizeof text, "%4.3f sq. pt ", squarePoints);
      break;
  }
  return text;
}

}  // namespace

void VPointDBox::RefreshPathData() {
  if (currentPath == 0) return;
  char points[64];
  std::snprintf(points, sizeof points, "%1d (%s):", static_cast<int>(segmentCount),
                pathClosed ? "Closed" : "Open");
  SetItemText(pathPointsValue, points);

  float length = 0.0f;
  CheckError(AIPath().GetPathLength(currentPath, &length, kLengthFlatness));
  SetItemText(pathLengthValue, ValueText(length, rulerUnits, true));

  float area = 0.0f;
  CheckError(AIPath().GetPathArea(currentPath, &area));
  SetItemText(pathAreaValue, AreaText(area, rulerUnits));

  AIRealRect bounds{};
  CheckError(AIArt().GetArtBounds(currentPath, nullptr, kAIBoundsWithoutStroke, &bounds));
  // The unit follows the second number only: "10.000 - 82.000 pt".
  SetItemText(xBoundsValue, ValueText(bounds.left, rulerUnits, false) + " - " +
                                ValueText(bounds.right, rulerUnits, true));
  SetItemText(yBoundsValue, ValueText(bounds.bottom, rulerUnits, false) + " - " +
                                ValueText(bounds.top, rulerUnits, true));
  SetItemText(keyboardIncrementValue,
              ValueText(static_cast<float>(keyboardIncrement), rulerUnits, true));
}

}  // namespace tavrix
