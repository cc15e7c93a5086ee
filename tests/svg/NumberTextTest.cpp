// Numbers written into path data read back exactly, and are short.
#include "host/svg/NumberText.h"

#include <gtest/gtest.h>

#include <random>

#include "host/svg/SvgNumbers.h"

namespace tavrix::svg {
namespace {

TEST(NumberText, ShortestTextReadsBackExactly) {
  EXPECT_EQ(ShortestText(0.1), "0.1");
  EXPECT_EQ(ShortestText(100), "100");
  EXPECT_EQ(ShortestText(-0.0), "0");
  EXPECT_EQ(ShortestText(1e21), "1e21");
  EXPECT_EQ(ShortestText(1.5e-7), "1.5e-7");
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> exponent(-30, 30);
  for (int i = 0; i < 20000; ++i) {
    const double value = std::pow(10.0, exponent(random)) * (i % 2 ? -1 : 1);
    EXPECT_EQ(NumberValue(ShortestText(value)), value);
  }
}

TEST(NumberText, DigitsAreSignificantAndTrailingZerosGo) {
  EXPECT_EQ(TextWithDigits(3.14159, 3), "3.14");
  EXPECT_EQ(TextWithDigits(2.5, 9), "2.5");
  EXPECT_EQ(TextWithDigits(123456, 2), "120000");
  EXPECT_EQ(TextWithDigits(150, 2), "150");  // never "1.5e2" where plain is shorter
  EXPECT_EQ(TextWithDigits(0.000012345, 2), "1.2e-5");
}

}  // namespace
}  // namespace tavrix::svg
