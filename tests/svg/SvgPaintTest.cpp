// How each element read paints its shape, for a click on the drawing: its own and its groups'
// attributes and style declarations.
#include <gtest/gtest.h>

#include "host/svg/SvgDocument.h"

namespace tavrix::svg {
namespace {

TEST(SvgPaint, FillAndStrokeComeFromTheElementOrItsGroupsTheStyleWinning) {
  const SvgDocument document = SvgDocument::Parse(
      "<svg xmlns='http://www.w3.org/2000/svg' fill='none' stroke='#000'>\n"
      "  <rect width='1' height='1'/>\n"
      "  <g style='fill: red; stroke-width: 4px' stroke='none'>\n"
      "    <rect width='1' height='1' fill='none' style='fill:blue'/>\n"
      "    <rect width='1' height='1' fill-rule='evenodd' stroke='inherit' fill='inherit'/>\n"
      "  </g>\n"
      "  <rect width='1' height='1' style='stroke:none;fill : green ; fill:none'/>\n"
      "</svg>\n",
      "paint.svg");
  ASSERT_EQ(document.elements().size(), 4u);
  const SvgPaint& plain = document.elements()[0].paint;
  EXPECT_FALSE(plain.filled);
  EXPECT_TRUE(plain.stroked);
  EXPECT_DOUBLE_EQ(plain.strokeWidth, 1);
  const SvgPaint& styled = document.elements()[1].paint;
  EXPECT_TRUE(styled.filled) << "a declaration wins over the attribute";
  EXPECT_FALSE(styled.stroked);
  EXPECT_DOUBLE_EQ(styled.strokeWidth, 4);
  const SvgPaint& inherited = document.elements()[2].paint;
  EXPECT_TRUE(inherited.filled);
  EXPECT_TRUE(inherited.evenOdd);
  EXPECT_FALSE(inherited.stroked) << "inherit takes the group's";
  EXPECT_FALSE(document.elements()[3].paint.filled) << "the last declaration counts";
  EXPECT_FALSE(document.elements()[3].paint.stroked);
  EXPECT_FALSE(document.rootPaint().filled) << "a path added at the end takes the root's";
  EXPECT_TRUE(document.rootPaint().stroked);
}

TEST(SvgPaint, WithoutAnyPaintGivenAShapeIsFilledBlackAndNotStroked) {
  const SvgDocument document = SvgDocument::Parse(
      "<svg xmlns='http://www.w3.org/2000/svg'><path d='M0 0 L1 1 L1 0'/></svg>", "bare.svg");
  ASSERT_EQ(document.elements().size(), 1u);
  EXPECT_TRUE(document.elements()[0].paint.filled);
  EXPECT_FALSE(document.elements()[0].paint.stroked);
}

}  // namespace
}  // namespace tavrix::svg
