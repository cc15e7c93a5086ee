#include "session/PaletteItemNames.h"

#include <cstdlib>
#include <utility>

namespace tavrix::app {
namespace {

const std::pair<int, const char*> kNames[] = {
    {45, "pointSectionTriangle"},
    {46, "pointSectionLabel"},
    {1, "pointXLabel"},
    {2, "pointYLabel"},
    {3, "pointIndexLabel"},
    {4, "pointXSpin"},
    {6, "pointXField"},
    {7, "pointYSpin"},
    {5, "pointYField"},
    {8, "pointIndexSpin"},
    {38, "pointIndexField"},
    {10, "inOutDivider"},
    {11, "inOutSectionTriangle"},
    {12, "inOutSectionLabel"},
    {43, "inOutXLabel"},
    {44, "inOutYLabel"},
    {13, "inLabel"},
    {18, "outLabel"},
    {14, "inXSpin"},
    {16, "inXField"},
    {15, "inYSpin"},
    {17, "inYField"},
    {19, "outXSpin"},
    {21, "outXField"},
    {20, "outYSpin"},
    {22, "outYField"},
    {41, "cornerCheckbox"},
    {42, "cornerLabel"},
    {24, "lockAngleCheckbox"},
    {25, "lockAngleLabel"},
    {26, "pathDivider"},
    {27, "pathSectionTriangle"},
    {28, "pathSectionLabel"},
    {29, "pathPointsLabel"},
    {31, "pathLengthLabel"},
    {33, "pathAreaLabel"},
    {35, "xBoundsLabel"},
    {37, "yBoundsLabel"},
    {40, "keyboardIncrementLabel"},
    {30, "pathPointsValue"},
    {32, "pathLengthValue"},
    {34, "pathAreaValue"},
    {36, "xBoundsValue"},
    {23, "yBoundsValue"},
    {39, "keyboardIncrementValue"},
    {-5, "flyoutMenu"},
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
