// The artwork suites as a plug-in calls them: ranges checked, bad values refused, memory
// handles given back, changes told.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "host/Host.h"
#include "hostapi/AIArtworkSuites.h"

namespace tavrix::host {
namespace {

class ArtworkSuites : public ::testing::Test {
 protected:
  template <class Suite>
  const Suite& Acquire(const char* name, int32_t version) {
    const void* table = nullptr;
    EXPECT_EQ(host.basic()->AcquireSuite(name, version, &table), kNoErr);
    return *static_cast<const Suite*>(table);
  }
  AIArtHandle AddLine() {
    Document& current =
        host.document() != nullptr ? *host.document() : host.NewDocument(kAIPointRulerUnits);
    return current.AddPath(
        {PathSegment{{0, 0}, {0, 0}, {0, 0}, 0}, PathSegment{{10, 0}, {10, 0}, {10, 0}, 1}}, false);
  }

  Host host;
  const AIPathSuite& path = Acquire<AIPathSuite>(kAIPathSuite, kAIPathSuiteVersion);
  const AIMatchingArtSuite& matching =
      Acquire<AIMatchingArtSuite>(kAIMatchingArtSuite, kAIMatchingArtSuiteVersion);
  const AIMdMemorySuite& memory =
      Acquire<AIMdMemorySuite>(kAIMdMemorySuite, kAIMdMemorySuiteVersion);
  const AIDocumentSuite& document =
      Acquire<AIDocumentSuite>(kAIDocumentSuite, kAIDocumentSuiteVersion);
};

TEST_F(ArtworkSuites, WithoutADocumentQueriesFailAndPointsInPoints) {
  const AIMatchingArtCriterion selected{kAIPathArtType, kAIArtSelectedAttribute,
                                        kAIArtSelectedAttribute};
  AIArtHandle** matches = nullptr;
  int32_t count = 0;
  EXPECT_NE(matching.GetMatchingArt(&selected, 1, &matches, &count), kNoErr);
  int16_t units = -1;
  EXPECT_NE(document.GetDocumentRulerUnits(&units), kNoErr);
}

TEST_F(ArtworkSuites, MatchingArtListsSelectedPathsInOrderInAHandleGivenBack) {
  const AIArtHandle first = AddLine();
  const AIArtHandle second = AddLine();
  AddLine();
  host.document()->SelectPaths({1, 0});
  const AIMatchingArtCriterion selected{kAIPathArtType, kAIArtSelectedAttribute,
                                        kAIArtSelectedAttribute};
  AIArtHandle** matches = nullptr;
  int32_t count = 0;
  ASSERT_EQ(matching.GetMatchingArt(&selected, 1, &matches, &count), kNoErr);
  ASSERT_EQ(count, 2);
  // A memory handle: the host's pointer to the array, which the caller reaches through it.
  EXPECT_EQ((*matches)[0], first);  // the document's order, not the order of selecting
  EXPECT_EQ((*matches)[1], second);
  EXPECT_EQ(host.memoryHandles().LiveCount(), 1u);
  EXPECT_EQ(memory.MdMemoryDisposeHandle(matches), kNoErr);
  EXPECT_EQ(host.memoryHandles().LiveCount(), 0u);
  EXPECT_NE(memory.MdMemoryDisposeHandle(matches), kNoErr);  // given back twice
}

TEST_F(ArtworkSuites, SegmentRangesAreCheckedBothWays) {
  const AIArtHandle line = AddLine();
  PathSegment segments[3] = {};
  EXPECT_EQ(path.GetPathSegments(line, 0, 2, segments), kNoErr);
  EXPECT_EQ(segments[1].corner, 1);
  EXPECT_NE(path.GetPathSegments(line, 1, 2, segments), kNoErr);
  EXPECT_NE(path.GetPathSegments(line, -1, 1, segments), kNoErr);
  int16_t state = 0;
  EXPECT_NE(path.GetPathSegmentSelected(line, 2, &state), kNoErr);
  EXPECT_NE(path.SetPathSegmentSelected(line, -1, 1), kNoErr);
  EXPECT_NE(path.GetPathSegments(0xBAD, 0, 1, segments), kNoErr);
}

TEST_F(ArtworkSuites, TheArtworkNeverTakesAPointThatIsNotANumber) {
  const AIArtHandle line = AddLine();
  PathSegment bad{{std::numeric_limits<float>::quiet_NaN(), 0}, {0, 0}, {0, 0}, 0};
  EXPECT_NE(path.SetPathSegments(line, 0, 1, &bad), kNoErr);
  bad.p = RealPoint{1, 2};
  bad.out.v = std::numeric_limits<float>::infinity();
  EXPECT_NE(path.SetPathSegments(line, 0, 1, &bad), kNoErr);
  EXPECT_EQ(host.document()->Path(line)->segments[0].p.h, 0.0f);  // untouched
  bad.out.v = 5;
  EXPECT_EQ(path.SetPathSegments(line, 0, 1, &bad), kNoErr);
  EXPECT_EQ(host.document()->Path(line)->segments[0].out.v, 5.0f);
}

TEST_F(ArtworkSuites, LengthAreaAndClosedFlagComeFromTheGeometry) {
  const AIArtHandle line = AddLine();
  float length = 0;
  float area = 1;
  // The closed flag is a whole 32-bit word: all four bytes are written.
  AIBoolean closed = 0x7f7f7f7f;
  ASSERT_EQ(path.GetPathLength(line, &length, 0.00001f), kNoErr);
  ASSERT_EQ(path.GetPathArea(line, &area), kNoErr);
  ASSERT_EQ(path.GetPathClosed(line, &closed), kNoErr);
  EXPECT_FLOAT_EQ(length, 10.0f);
  EXPECT_FLOAT_EQ(area, 0.0f);
  EXPECT_EQ(closed, 0);
}

}  // namespace
}  // namespace tavrix::host
