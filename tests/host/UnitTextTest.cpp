// How numeric dialog fields show values in units and read back what people type.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "host/dialog/UnitText.h"

namespace tavrix::host {
namespace {

constexpr double kTol = 1e-9;

TEST(UnitTextFormat, OneInchInEveryLengthUnit) {
  EXPECT_EQ(FormatValue(72, kUnitInches, 3, true), "1.000 in");
  EXPECT_EQ(FormatValue(72, kUnitMillimetres, 3, true), "25.400 mm");
  EXPECT_EQ(FormatValue(72, kUnitCentimetres, 3, true), "2.540 cm");
  EXPECT_EQ(FormatValue(72, kUnitPicas, 3, true), "6.000 pc");
  EXPECT_EQ(FormatValue(72, kUnitQ, 3, true), "101.600 Q");
  EXPECT_EQ(FormatValue(72, kUnitPixels, 1, true), "72.0 px");
  EXPECT_EQ(FormatValue(72, 99, 1, true), "72.0 pt");  // unknown codes are points
  EXPECT_EQ(FormatValue(72, kUnitNone, 1, true), "72.0");
}

TEST(UnitTextFormat, PrecisionIsExactAndClamped) {
  EXPECT_EQ(FormatValue(12.6, kUnitPoints, 0, false), "13");
  EXPECT_EQ(FormatValue(1.0 / 3.0, kUnitPoints, 6, false), "0.333333");
  EXPECT_EQ(FormatValue(1, kUnitPoints, -4, false), "1");
  EXPECT_EQ(FormatValue(1, kUnitPoints, 40, false), "1.0000000000");
}

TEST(UnitTextFormat, NegativeZeroAndNonFinite) {
  EXPECT_EQ(FormatValue(-0.0, kUnitPoints, 3, false), "0.000");
  EXPECT_EQ(FormatValue(-0.0004, kUnitPoints, 3, false), "0.000");
  EXPECT_EQ(FormatValue(-0.4, kUnitPoints, 0, true), "0 pt");
  EXPECT_EQ(FormatValue(-0.0006, kUnitPoints, 3, false), "-0.001");
  EXPECT_EQ(FormatValue(std::nan(""), kUnitPoints, 3, true), "");
  EXPECT_EQ(FormatValue(-INFINITY, kUnitPoints, 3, true), "");
  EXPECT_EQ(FormatValue(1.7e308, kUnitQ, 0, false), "");  // overflows once shown in Q
}

TEST(UnitTextFormat, DegreesHaveNoSpace) {
  EXPECT_EQ(FormatValue(45, kUnitDegrees, 1, true), "45.0\xC2\xB0");
  EXPECT_EQ(FormatValue(45, kUnitDegrees, 1, false), "45.0");
}

TEST(UnitTextParse, FormattedTextReadsBack) {
  for (int unit : {kUnitPoints, kUnitInches, kUnitMillimetres, kUnitCentimetres, kUnitPicas, kUnitQ,
                   kUnitPixels}) {
    std::optional<double> back = ParseValue(FormatValue(72, unit, 4, true), unit);
    ASSERT_TRUE(back) << unit;
    EXPECT_NEAR(*back, 72, 1e-3) << unit;
  }
  EXPECT_NEAR(ParseValue(FormatValue(-30, kUnitDegrees, 2, true), kUnitDegrees).value(), -30, kTol);
}

TEST(UnitTextParse, TypedUnitsOverrideTheField) {
  EXPECT_NEAR(ParseValue("1 in", kUnitMillimetres).value(), 72, kTol);
  EXPECT_NEAR(ParseValue("1IN", kUnitPoints).value(), 72, kTol);
  EXPECT_NEAR(ParseValue("2\"", kUnitPoints).value(), 144, kTol);
  EXPECT_NEAR(ParseValue("2.54cm", kUnitPoints).value(), 72, kTol);
  EXPECT_NEAR(ParseValue("4 Q", kUnitPoints).value(), 72 / 25.4, kTol);
  EXPECT_NEAR(ParseValue("3 pixels", kUnitInches).value(), 3, kTol);
  EXPECT_NEAR(ParseValue("6p3", kUnitPoints).value(), 75, kTol);
  EXPECT_NEAR(ParseValue("p3", kUnitInches).value(), 3, kTol);
  EXPECT_NEAR(ParseValue("6p", kUnitPoints).value(), 72, kTol);
  EXPECT_NEAR(ParseValue("1.5 picas", kUnitPoints).value(), 18, kTol);
  EXPECT_NEAR(ParseValue("90 deg", kUnitDegrees).value(), 90, kTol);
  EXPECT_NEAR(ParseValue("5", kUnitMillimetres).value(), 5 * 72 / 25.4, kTol);
  EXPECT_NEAR(ParseValue(" .5 ", kUnitNone).value(), 0.5, kTol);
}

TEST(UnitTextParse, Arithmetic) {
  EXPECT_NEAR(ParseValue("10mm + 2", kUnitMillimetres).value(), 12 * 72 / 25.4, kTol);
  EXPECT_NEAR(ParseValue("1in - 2", kUnitPoints).value(), 70, kTol);
  EXPECT_NEAR(ParseValue("72/4", kUnitPoints).value(), 18, kTol);
  EXPECT_NEAR(ParseValue("1in/2", kUnitMillimetres).value(), 36, kTol);
  EXPECT_NEAR(ParseValue("10mm * 2", kUnitPoints).value(), 20 * 72 / 25.4, kTol);
  EXPECT_NEAR(ParseValue("2 * 1in", kUnitMillimetres).value(), 144, kTol);
  EXPECT_NEAR(ParseValue("(1 + 2) * 3", kUnitInches).value(), 9 * 72, kTol);
  EXPECT_NEAR(ParseValue("1 + 2 * 3 - 4 / 2", kUnitNone).value(), 5, kTol);
  EXPECT_NEAR(ParseValue("-(1in) + --1", kUnitPoints).value(), -71, kTol);
  EXPECT_NEAR(ParseValue("-6p3", kUnitPoints).value(), -75, kTol);
}

TEST(UnitTextParse, Refusals) {
  for (const char* text :
       {"",    "   ", "abc", "1/0", "0/0", "((((", "(1",        "1)",      "10 mmm", "1 2", "1in 2",
        "1e3", "1,5", "+",   "3 *", "p",   "6p 3", "1mm * 1mm", "1 / 1mm", "(1)mm",  "1..2"}) {
    EXPECT_FALSE(ParseValue(text, kUnitPoints)) << '"' << text << '"';
  }
  EXPECT_FALSE(ParseValue("10mm", kUnitDegrees));
  EXPECT_FALSE(ParseValue("5\xC2\xB0", kUnitPoints));
  EXPECT_FALSE(ParseValue("5 deg", kUnitMillimetres));
  EXPECT_FALSE(ParseValue("5pt", kUnitNone));
  EXPECT_FALSE(ParseValue("5\xC2", kUnitDegrees));  // half a degree sign
  EXPECT_FALSE(ParseValue(std::string(400, '9') + "*" + std::string(400, '9'), kUnitNone));
}

TEST(UnitTextParse, NestingIsCapped) {
  EXPECT_TRUE(ParseValue(std::string(60, '(') + "1" + std::string(60, ')'), kUnitPoints));
  EXPECT_FALSE(ParseValue(std::string(100, '(') + "1" + std::string(100, ')'), kUnitPoints));
  EXPECT_FALSE(ParseValue(std::string(100000, '-') + "1", kUnitPoints));
}

TEST(UnitTextParse, SurvivesRandomAndTruncatedText) {
  const std::string samples[] = {"(6p3 + 1in) * -2 / 4", "12.5\xC2\xB0 - 3 deg", "p.5+\"1\""};
  for (const std::string& s : samples) {
    for (size_t n = 0; n <= s.size(); ++n) ParseValue(s.substr(0, n), kUnitDegrees);
  }
  const std::string alphabet = "0123456789.+-*/() pPtinmcq\"degx\xC2\xB0\xFF";
  std::mt19937 random(7);
  for (int i = 0; i < 20000; ++i) {
    std::string text(random() % 24, ' ');
    for (char& c : text) c = alphabet[random() % alphabet.size()];
    for (int unit : {kUnitNone, kUnitPoints, kUnitDegrees, 42}) {
      std::optional<double> v = ParseValue(text, unit);
      EXPECT_TRUE(!v || std::isfinite(*v)) << text;
    }
  }
}

}  // namespace
}  // namespace tavrix::host
