// Numeric dialog fields show a value in a unit and read back what a person typed, which may be
// in another unit or a small sum. Values travel in the base unit of their dimension: points for
// lengths, degrees for angles, the plain number for unit 0.
#pragma once

#include <optional>
#include <string>

#include "hostapi/ADMTypes.h"

namespace tavrix::host {

// The dialog manager's unit codes, under the names this module uses; any code not listed counts
// as points.
constexpr int kUnitNone = kADMNoUnits;
constexpr int kUnitPoints = kADMPointUnits;
constexpr int kUnitInches = kADMInchUnits;
constexpr int kUnitMillimetres = kADMMillimeterUnits;
constexpr int kUnitCentimetres = kADMCentimeterUnits;
constexpr int kUnitPicas = kADMPicaUnits;
constexpr int kUnitDegrees = kADMDegreeUnits;
constexpr int kUnitQ = kADMQUnits;
constexpr int kUnitPixels = kADMPixelUnits;

// The abbreviation people know: "pt", "in", "mm", "cm", "pc", "°" (UTF-8), "Q", "px"; "" for 0.
const char* UnitAbbreviation(int unitCode);

// Points (or degrees, or raw) per one of the unit.
double BaseUnitsPer(int unitCode);

// `value` is in the base unit; it is shown in `unitCode` with exactly `precision` decimals
// (clamped to 0..10) and, when appendUnit, a space and the abbreviation ("45.0°" for degrees,
// nothing for unit 0). Negative zero after rounding shows without its sign. A value that is not
// finite, or stops being finite in the unit, gives "".
std::string FormatValue(double value, int unitCode, int precision, bool appendUnit);

// Reads a field of `unitCode`: numbers, each optionally with its own unit ("1 in", "6p3", "p3",
// "45°"), joined by + - * / with parentheses and unary signs. A number without a unit is in the
// field's unit, except as a factor of * or as a divisor, where it is a plain number. Refused:
// empty or unparsable text, a unit of another dimension than the field's (any unit in a unit-0
// field), a product of two quantities that both carry a unit, a divisor that carries a unit,
// nesting deeper than 64, and a result that is not finite. Returns the value in the base unit.
std::optional<double> ParseValue(const std::string& text, int unitCode);

}  // namespace tavrix::host
