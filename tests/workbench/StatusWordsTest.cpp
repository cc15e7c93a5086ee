// The status line in a person's words, never a session command.
#include "workbench/StatusWords.h"

#include <gtest/gtest.h>

#include "workbench/SessionCommands.h"

namespace tavrix::workbench {
namespace {

class StatusLine : public ::testing::Test {
 protected:
  std::string Said(const std::vector<std::string>& words) {
    const size_t before = commands.out.str().size();
    commands.Perform(words);
    return StatusWords(words, commands.session, commands.out.str().substr(before));
  }
  test::SessionCommands commands{test::kStartScript};
};

TEST_F(StatusLine, SaysWhatWasMovedAndWhereInTheDocumentsUnits) {
  EXPECT_EQ(Said({"drag", "anchor", "0", "1", "140", "-100"}),
            "Moved anchor 1 of path 0 to 140 pt, \xE2\x88\x92"
            "100 pt");
  EXPECT_EQ(Said({"drag", "handle", "0", "1", "out", "150", "-100"}),
            "Moved the out handle of anchor 1 of path 0 to 150 pt, \xE2\x88\x92"
            "100 pt");
  EXPECT_EQ(Said({"undo"}), "Undid Move");
  EXPECT_EQ(Said({"redo"}), "Redid Move");
  EXPECT_EQ(Said({"nudge", "left", "shift"}), "Moved the selection 10 pt left");
  EXPECT_EQ(LengthWords(72 / 25.4 * 3.5, kAIMillimeterRulerUnits), "3.5 mm");
  EXPECT_EQ(LengthWords(-0.0001, kAIPointRulerUnits), "0 pt");
}

TEST_F(StatusLine, SaysWhatThePaletteTookOrWhyItKeptItsValue) {
  EXPECT_EQ(Said({"type", "pointXField", "190"}), "X: 190.000 pt");
  EXPECT_EQ(Said({"type", "pointXField", "abc"}),
            "X: \xE2\x80\x9C"
            "abc\xE2\x80\x9D is not a number, kept 190.000 pt");
  EXPECT_EQ(Said({"spin", "pointYSpin", "up"}), "Y: -299.000 pt");
  EXPECT_EQ(Said({"select", "0", "2"}), "Selected anchor 2 of path 0");
  EXPECT_EQ(Said({"deselect"}), "Nothing is selected");
  EXPECT_EQ(Said({"scroll", "10", "20"}), "") << "the view is shown on the right";
}

}  // namespace
}  // namespace tavrix::workbench
