// Typing into a palette field before committing: selection, caret and what a field will take.
#include "workbench/LineEditor.h"

#include <gtest/gtest.h>

namespace tavrix::workbench {
namespace {

TEST(LineEditor, TypingReplacesTheTextSelectedOnEntry) {
  LineEditor editor("100.000 pt");
  EXPECT_TRUE(editor.allSelected());
  EXPECT_FALSE(editor.edited());
  editor.Insert("1");
  editor.Insert("10");
  EXPECT_EQ(editor.text(), "110");
  EXPECT_EQ(editor.caret(), 3u);
  EXPECT_FALSE(editor.allSelected());
  EXPECT_TRUE(editor.edited());
}

TEST(LineEditor, ArrowsLeaveTheSelectionAtEitherEndThenMoveByCharacters) {
  LineEditor editor(
      "a\xC3\xA9"
      "b");  // a, e acute (two bytes), b
  editor.Left();
  EXPECT_FALSE(editor.allSelected());
  EXPECT_EQ(editor.caret(), 0u);
  editor.Right();
  editor.Right();
  EXPECT_EQ(editor.caret(), 3u) << "the caret never stops inside a character";
  editor.Left();
  EXPECT_EQ(editor.caret(), 1u);
  editor.End();
  editor.Right();
  EXPECT_EQ(editor.caret(), 4u);
  editor.Home();
  editor.Left();
  EXPECT_EQ(editor.caret(), 0u);
  editor.SelectAll();
  editor.Right();
  EXPECT_EQ(editor.caret(), 4u);
  EXPECT_FALSE(editor.edited()) << "moving the caret changes nothing";
}

TEST(LineEditor, BackspaceAndDeleteTakeWholeCharactersAndStopAtTheEnds) {
  LineEditor editor(
      "x\xE2\x82\xAC"
      "y");  // x, euro sign (three bytes), y
  editor.End();
  editor.Left();
  editor.Backspace();
  EXPECT_EQ(editor.text(), "xy");
  EXPECT_EQ(editor.caret(), 1u);
  editor.Delete();
  EXPECT_EQ(editor.text(), "x");
  editor.Delete();
  editor.Home();
  editor.Backspace();
  EXPECT_EQ(editor.text(), "x");
  EXPECT_EQ(editor.caret(), 0u);
  editor.SelectAll();
  editor.Delete();
  EXPECT_EQ(editor.text(), "");
  EXPECT_TRUE(editor.edited());
}

TEST(LineEditor, ErasingAnEmptySelectionIsNoEdit) {
  LineEditor editor("");
  editor.Backspace();
  EXPECT_FALSE(editor.edited()) << "Enter would otherwise commit an empty text nobody typed";
}

TEST(LineEditor, LeavesOutControlCharactersAndBytesThatAreNotUtf8) {
  LineEditor editor("");
  editor.Insert(
      "1\t2\n3\x7F"
      "4\xFF\xC3"
      "5\xC3\xA9");
  EXPECT_EQ(editor.text(), "12345\xC3\xA9");
  editor.Reset("7");
  editor.Insert("\r");
  editor.Insert("");  // an empty clipboard pasted
  EXPECT_EQ(editor.text(), "7") << "nothing printable leaves the field and its selection alone";
  EXPECT_TRUE(editor.allSelected());
  EXPECT_FALSE(editor.edited());
}

TEST(LineEditor, InsertsAtTheCaret) {
  LineEditor editor("1020");
  editor.Home();
  editor.Right();
  editor.Right();
  editor.Insert(" + ");
  EXPECT_EQ(editor.text(), "10 + 20");
  EXPECT_EQ(editor.caret(), 5u);
}

TEST(LineEditor, CutsWhatDoesNotFitAtACharactersStart) {
  LineEditor editor(std::string(LineEditor::kMaxBytes - 1, '9'));
  editor.End();
  editor.Insert("\xC3\xA9\xC3\xA9");
  EXPECT_EQ(editor.text().size(), LineEditor::kMaxBytes - 1) << "half a character is no text";
  editor.Insert("12");
  EXPECT_EQ(editor.text().size(), LineEditor::kMaxBytes);
  EXPECT_EQ(editor.text().back(), '1');
}

TEST(LineEditor, ResetShowsTheFieldsTextAgainUnedited) {
  LineEditor editor("1");
  editor.Insert("abc");
  editor.Reset("110.000 pt");
  EXPECT_EQ(editor.text(), "110.000 pt");
  EXPECT_TRUE(editor.allSelected());
  EXPECT_FALSE(editor.edited());
}

}  // namespace
}  // namespace tavrix::workbench
