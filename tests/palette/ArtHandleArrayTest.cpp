#include "palette/ArtHandleArray.h"

#include <gtest/gtest.h>

#include "core/ErrorReporting.h"

namespace tavrix {
namespace {

TEST(ArtHandleArray, GrowsToEightThenDoublesThenByTenThousand) {
  ArtHandleArray array;
  std::vector<size_t> capacities;
  for (AIArtHandle h = 0; h < 30001; ++h) {
    const size_t before = array.capacity();
    array.Append(h);
    if (array.capacity() != before) capacities.push_back(array.capacity());
  }
  const std::vector<size_t> expected = {8,    16,   32,   64,   128,   256,   512,
                                        1024, 2048, 4096, 8192, 16384, 26384, 36384};
  EXPECT_EQ(capacities, expected);
  EXPECT_EQ(array.count(), 30001u);
  EXPECT_EQ(array.At(0), 0u);
  EXPECT_EQ(array.At(30000), 30000u);  // copied intact through every growth
  EXPECT_EQ(ArtHandleArray::elementSize, 4u);
}

TEST(ArtHandleArray, ReadingOutsideThrowsError1010) {
  ArtHandleArray array;
  array.Append(7);
  try {
    array.At(1);
    FAIL();
  } catch (const HostError& error) {
    EXPECT_EQ(error.code(), 1010);
  }
  array.Clear();
  EXPECT_EQ(array.capacity(), 0u);
  EXPECT_THROW(array.At(0), HostError);
}

}  // namespace
}  // namespace tavrix
