#include "session/PaletteItemNames.h"

#include <cstdlib>
#include <utility>

#include "palette/PaletteItems.h"

namespace tavrix::app {
namespace {

const std::pair<int, const char*> kNames[] = {
    {item::kPointSectionTriangle, "pointSectionTriangle"},
    {item::kPointSectionLabel, "pointSectionLabel"},
    {item::kPointXLabel, "pointXLabel"},
    {item::kPointYLabel, "pointYLabel"},
    {item::kPointIndexLabel, "pointIndexLabel"},
    {item::kPointXSpin, "pointXSpin"},
    {item::kPointXField, "pointXField"},
    {item::kPointYSpin, "pointYSpin"},
    {item::kPointYField, "pointYField"},
    {item::kPointIndexSpin, "pointIndexSpin"},
    {item::kPointIndexField, "pointIndexField"},
    {item::kInOutDivider, "inOutDivider"},
    {item::kInOutSectionTriangle, "inOutSectionTriangle"},
    {item::kInOutSectionLabel, "inOutSectionLabel"},
    {item::kInOutXLabel, "inOutXLabel"},
    {item::kInOutYLabel, "inOutYLabel"},
    {item::kInLabel, "inLabel"},
    {item::kOutLabel, "outLabel"},
    {item::kInXSpin, "inXSpin"},
    {item::kInXField, "inXField"},
    {item::kInYSpin, "inYSpin"},
    {item::kInYField, "inYField"},
    {item::kOutXSpin, "outXSpin"},
    {item::kOutXField, "outXField"},
    {item::kOutYSpin, "outYSpin"},
    {item::kOutYField, "outYField"},
    {item::kCornerCheckbox, "cornerCheckbox"},
    {item::kCornerLabel, "cornerLabel"},
    {item::kLockAngleCheckbox, "lockAngleCheckbox"},
    {item::kLockAngleLabel, "lockAngleLabel"},
    {item::kPathDivider, "pathDivider"},
    {item::kPathSectionTriangle, "pathSectionTriangle"},
    {item::kPathSectionLabel, "pathSectionLabel"},
    {item::kPathPointsLabel, "pathPointsLabel"},
    {item::kPathLengthLabel, "pathLengthLabel"},
    {item::kPathAreaLabel, "pathAreaLabel"},
    {item::kXBoundsLabel, "xBoundsLabel"},
    {item::kYBoundsLabel, "yBoundsLabel"},
    {item::kKeyboardIncrementLabel, "keyboardIncrementLabel"},
    {item::kPathPointsValue, "pathPointsValue"},
    {item::kPathLengthValue, "pathLengthValue"},
    {item::kPathAreaValue, "pathAreaValue"},
    {item::kXBoundsValue, "xBoundsValue"},
    {item::kYBoundsValue, "yBoundsValue"},
    {item::kKeyboardIncrementValue, "keyboardIncrementValue"},
    {item::kFlyoutMenu, "flyoutMenu"},
};

}  // namespace

std::optional<int> PaletteItemId(const std::string& nameOrNumber) {
  for (const auto& entry : kNames) {
    if (nameOrNumber == entry.second) return entry.first;
  }
  char* end = nullptr;
  const long number = std::strtol(nameOrNumber.c_str(), &end, 10);
  if (!nameOrNumber.empty() && *end == '\0' && number >= -5 && number <= 46) {
    return static_cast<int>(number);
  }
  return std::nullopt;
}

std::string PaletteItemName(int id) {
  for (const auto& entry : kNames) {
    if (entry.first == id) return entry.second;
  }
  return "item " + std::to_string(id);
}

}  // namespace tavrix::app
