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

TEST(ArtHandleArray, AppendingARunGrowsOnceToExactlyWhatItNeedsAndKeepsWhatWasThere) {
  ArtHandleArray array;
  array.Append(1);
  array.Append(2);
  std::vector<AIArtHandle> run(100000);
  for (size_t i = 0; i < run.size(); ++i) run[i] = static_cast<AIArtHandle>(i + 10);
  array.AppendAll(run.data(), run.size());
  EXPECT_EQ(array.capacity(), 100002u);
  EXPECT_EQ(array.count(), 100002u);
  EXPECT_EQ(array.At(1), 2u);
  EXPECT_EQ(array.At(100001), 100009u);
  // Room enough already: no growth. Then one handle more grows the usual way.
  array.Clear();
  for (AIArtHandle h = 0; h < 5; ++h) array.Append(h);
  array.AppendAll(run.data(), 3);
  EXPECT_EQ(array.capacity(), 8u);
  array.Append(99);
  array.AppendAll(run.data(), 0);
  EXPECT_EQ(array.count(), 9u);
  EXPECT_EQ(array.capacity(), 16u);
  EXPECT_EQ(array.At(8), 99u);
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
