// The Edit menu of the stand-in host: what a plug-in writes during one call is one step, and
// undo and redo put the anchors and their selection back exactly.
#include <gtest/gtest.h>

#include <cstring>

#include "host/artwork/Document.h"

namespace tavrix::host {
namespace {

PathSegment At(float h, float v) {
  return PathSegment{{h, v}, {h, v}, {h, v}, 0};
}

class EditMenu : public ::testing::Test {
 protected:
  void SetUp() override {
    document.AddPath({At(0, 0), At(10, 0), At(20, 0)}, false);
    document.AddPath({At(0, 5), At(10, 5)}, true);
  }
  DocumentPath& Path(size_t i) { return document.PathAt(i); }
  // One call into a plug-in that moves an anchor and names the change.
  void Move(size_t path, size_t anchor, float h, const char* undo = "Undo Move") {
    PathSegment s = Path(path).segments[anchor];
    s.p.h = h;
    document.SetSegments(Path(path), anchor, {s});
    document.NameChange(undo, "Redo Move");
    document.CloseUndoStep();
  }

  Document document{kAIPointRulerUnits, nullptr, 0x10};
};

TEST_F(EditMenu, AStepIsNamedByThePluginAndUndoneAndRedoneExactly) {
  EXPECT_EQ(document.history().UndoText(), "");
  document.SetAnchorSelection(Path(0), 1, kAIAnchorSelected);
  document.CloseUndoStep();
  EXPECT_EQ(document.history().UndoText(), "") << "selecting alone is no step";

  Move(0, 1, 15);
  document.SetAnchorSelection(Path(0), 1, kAINotSelected);  // a later call's selection change
  document.CloseUndoStep();
  EXPECT_EQ(document.history().UndoText(), "Undo Move");

  ASSERT_TRUE(document.Undo());
  EXPECT_EQ(Path(0).segments[1].p.h, 10.0f);
  EXPECT_EQ(Path(0).selection, (std::vector<int16_t>{0, 1, 0}));
  EXPECT_EQ(document.history().RedoText(), "Redo Move");
  ASSERT_TRUE(document.Redo());
  EXPECT_EQ(Path(0).segments[1].p.h, 15.0f);
  EXPECT_EQ(Path(0).selection, (std::vector<int16_t>{0, 1, 0}));
  EXPECT_FALSE(document.Redo());
}

TEST_F(EditMenu, ManyWritesInOneCallAreOneStepBackToTheFirstState) {
  for (float h : {11.0f, 12.0f, 13.0f}) {
    PathSegment s = Path(0).segments[1];
    s.p.h = h;
    document.SetSegments(Path(0), 1, {s});
  }
  document.SetSegments(Path(1), 0, {At(-1, -1), At(-2, -2)});
  document.CloseUndoStep();
  EXPECT_EQ(document.history().UndoText(), "Undo") << "unnamed: the host's own word";
  ASSERT_TRUE(document.Undo());
  EXPECT_EQ(Path(0).segments[1].p.h, 10.0f);
  EXPECT_EQ(Path(1).segments[1].p.h, 10.0f);
  EXPECT_FALSE(document.history().CanUndo());
}

TEST_F(EditMenu, ANewStepForgetsWhatCouldBeRedone) {
  Move(0, 0, 1);
  Move(0, 0, 2);
  ASSERT_TRUE(document.Undo());
  Move(0, 2, 30, "Undo Other");
  EXPECT_FALSE(document.history().CanRedo());
  ASSERT_TRUE(document.Undo());
  ASSERT_TRUE(document.Undo());
  EXPECT_EQ(Path(0).segments[0].p.h, 0.0f);
  EXPECT_EQ(Path(0).segments[2].p.h, 20.0f);
}

TEST_F(EditMenu, UndoingEverythingRestoresTheStartingDocumentBitForBit) {
  const std::vector<DocumentPath> start = document.paths();
  for (int i = 0; i < 50; ++i)
    Move(static_cast<size_t>(i % 2), static_cast<size_t>(i % 2), 0.1f * i);
  while (document.Undo()) {
  }
  for (size_t p = 0; p < start.size(); ++p) {
    ASSERT_EQ(start[p].segments.size(), Path(p).segments.size());
    EXPECT_EQ(0, std::memcmp(start[p].segments.data(), Path(p).segments.data(),
                             start[p].segments.size() * sizeof(PathSegment)));
    EXPECT_EQ(start[p].selection, Path(p).selection);
  }
}

TEST_F(EditMenu, StepsOnAPathWhoseAnchorsChangedAreForgottenNotMisapplied) {
  Move(0, 2, 25);
  Move(1, 0, 7, "Undo Other");
  // Anchor 2 is now anchor 3: restoring "anchor 2" would write over the wrong point.
  document.InsertAnchor(0, 0, At(-10, 0));
  EXPECT_EQ(document.history().UndoText(), "Undo Other");
  ASSERT_TRUE(document.Undo());
  EXPECT_EQ(Path(1).segments[0].p.h, 0.0f);
  EXPECT_FALSE(document.Undo());
  EXPECT_EQ(Path(0).segments[3].p.h, 25.0f);
  EXPECT_EQ(Path(0).segments[2].p.h, 10.0f);
  document.DeletePath(1);
  EXPECT_FALSE(document.history().CanRedo());
}

}  // namespace
}  // namespace tavrix::host
