// The text a person types into a palette field before committing it with Enter. The whole text
// is selected when the field takes the focus, so that typing replaces it, as in any dialog.
#pragma once

#include <cstddef>
#include <string>

namespace tavrix::workbench {

class LineEditor {
 public:
  // A field holds a number or a short name: longer text is cut at this many bytes.
  static constexpr size_t kMaxBytes = 4096;

  explicit LineEditor(std::string text = "");

  const std::string& text() const { return text_; }
  // A byte offset, always at the start of a UTF-8 character.
  size_t caret() const { return caret_; }
  bool allSelected() const { return allSelected_; }
  // Whether the person changed the text since the field took the focus.
  bool edited() const { return edited_; }

  // Replaces the selection, or inserts at the caret. Control characters and bytes that are not
  // UTF-8 are left out; what does not fit in kMaxBytes is cut at a character's start.
  void Insert(const std::string& typed);
  void Backspace();
  void Delete();
  void Left();
  void Right();
  void Home();
  void End();
  void SelectAll();
  // The field's text again, all of it selected, as after a commit or when the field is entered.
  void Reset(std::string text);

 private:
  // Removes the selected text; answers whether there was a selection.
  bool EraseSelection();

  std::string text_;
  size_t caret_ = 0;
  bool allSelected_ = true;
  bool edited_ = false;
};

}  // namespace tavrix::workbench
