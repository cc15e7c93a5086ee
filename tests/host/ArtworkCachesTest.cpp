// What the host keeps between questions (the selected paths, the paths' measures, the order of
// handles) must answer exactly as working it out afresh would, after any change.
#include <gtest/gtest.h>

#include <vector>

#include "host/artwork/Document.h"
#include "host/artwork/PathGeometry.h"
#include "host/artwork/PathMeasures.h"

namespace tavrix::host {
namespace {

PathSegment Smooth(float h, float v) {
  return PathSegment{{h, v}, {h - 5, v - 3}, {h + 5, v + 3}, 0};
}

std::vector<PathSegment> Wave(size_t anchors, float v) {
  std::vector<PathSegment> s;
  for (size_t i = 0; i < anchors; ++i) s.push_back(Smooth(static_cast<float>(i) * 20, v));
  return s;
}

std::vector<size_t> SelectedByLooking(const Document& document) {
  std::vector<size_t> selected;
  for (size_t i = 0; i < document.paths().size(); ++i) {
    if (document.paths()[i].IsSelected()) selected.push_back(i);
  }
  return selected;
}

TEST(ArtworkCaches, TheSelectedPathsFollowEveryKindOfChange) {
  Document document(kAIPointRulerUnits, nullptr, 1);
  for (int i = 0; i < 6; ++i) document.AddPath(Wave(4, static_cast<float>(i)), i % 2 == 0);
  auto check = [&](const char* after) {
    EXPECT_EQ(document.SelectedPaths(), SelectedByLooking(document)) << "after " << after;
    std::vector<AIArtHandle> handles;
    for (size_t index : SelectedByLooking(document))
      handles.push_back(document.paths()[index].handle);
    EXPECT_EQ(document.SelectedHandles(), handles) << "after " << after;
  };
  check("adding");
  document.SelectPaths({1, 3, 5});
  check("selecting paths");
  document.AddPath(Wave(2, 9), false);
  check("adding past a selection");
  DocumentPath& third = document.PathAt(3);
  for (size_t i = 0; i < 4; ++i) document.SetAnchorSelection(third, i, kAINotSelected);
  check("a plug-in's deselection");
  document.CloseUndoStep();
  document.DeletePath(0);
  check("deleting a path before the selection");
  document.DeleteAnchor(0, 1);
  check("deleting an anchor");
  document.InsertAnchor(4, 0, Smooth(1, 1));
  check("inserting an anchor");
  document.SetSelection(2, {kAIInHandleSelected, 0, 0, 0});
  check("restoring a selection");
  document.SelectAnchor(5, 1);
  check("selecting an anchor");
  // A plug-in's edit that also selects: one undo step.
  document.SetAnchorSelection(document.PathAt(1), 0, kAIAnchorSelected);
  document.SetSegments(document.PathAt(1), 0, {Smooth(3, 3)});
  document.CloseUndoStep();
  check("a plug-in's selection");
  ASSERT_TRUE(document.Undo());
  check("undo");
  ASSERT_TRUE(document.Redo());
  check("redo");
  document.Deselect();
  check("deselecting");
  EXPECT_TRUE(document.SelectedPaths().empty());
}

TEST(ArtworkCaches, HandlesAreFoundAfterDeletionsAndUnknownOnesAreNot) {
  Document document(kAIPointRulerUnits, nullptr, 100);
  std::vector<AIArtHandle> handles;
  for (int i = 0; i < 50; ++i) handles.push_back(document.AddPath(Wave(2, 0), false));
  document.DeletePath(10);
  document.DeletePath(0);
  document.DeleteAnchor(47, 0);
  document.DeleteAnchor(47, 0);  // its last anchor: the path goes
  for (size_t i = 0; i < handles.size(); ++i) {
    const bool gone = i == 0 || i == 10 || i == 49;
    DocumentPath* found = document.Path(handles[i]);
    EXPECT_EQ(found == nullptr, gone) << "path " << i;
    if (found != nullptr) {
      EXPECT_EQ(found->handle, handles[i]);
    }
  }
  EXPECT_EQ(document.Path(99), nullptr);
  EXPECT_EQ(document.Path(100 + 50), nullptr);
  EXPECT_EQ(document.Path(0), nullptr);
}

TEST(ArtworkCaches, MeasuresAreAnsweredAgainOnlyForTheGeometryTheyWereMadeOf) {
  Document document(kAIPointRulerUnits, nullptr, 1);
  for (int i = 0; i < 6; ++i) document.AddPath(Wave(3 + static_cast<size_t>(i), 0), false);
  PathMeasures measures;
  auto check = [&](const DocumentPath& path, const char* after) {
    EXPECT_EQ(measures.Length(path), PathLength(path.segments, path.closed)) << after;
    EXPECT_EQ(measures.Area(path), PathArea(path.segments, path.closed)) << after;
    const AIRealRect fresh = PathBounds(path.segments, path.closed);
    const AIRealRect kept = measures.Bounds(path);
    EXPECT_EQ(kept.right, fresh.right) << after;
    EXPECT_EQ(kept.top, fresh.top) << after;
  };
  // More paths than are kept, asked in turn and again.
  for (int round = 0; round < 2; ++round) {
    for (const DocumentPath& path : document.paths()) check(path, "asking in turn");
  }
  DocumentPath& path = document.PathAt(2);
  const double before = measures.Length(path);
  document.SetSegments(path, 1, {Smooth(500, 400)});
  document.CloseUndoStep();
  check(path, "a plug-in's write");
  EXPECT_NE(measures.Length(path), before);
  ASSERT_TRUE(document.Undo());
  check(path, "undo");
  EXPECT_EQ(measures.Length(path), before);
  path.closed = true;
  check(path, "closing");
  document.InsertAnchor(2, 0, Smooth(-50, 0));
  check(document.PathAt(2), "inserting");
  // Another document's path may come with the same handle.
  Document other(kAIPointRulerUnits, nullptr, 1);
  other.AddPath(Wave(9, 7), true);
  other.AddPath(Wave(2, 7), true);
  other.AddPath(Wave(4, 7), true);
  check(other.PathAt(2), "another document");
}

}  // namespace
}  // namespace tavrix::host
