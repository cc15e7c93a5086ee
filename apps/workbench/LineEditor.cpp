#include "workbench/LineEditor.h"

#include <utility>

namespace tavrix::workbench {
namespace {

bool IsContinuation(unsigned char c) {
  return (c & 0xC0) == 0x80;
}

// The length of the UTF-8 character starting at text[i], or 0 when none starts there.
size_t CharacterLength(const std::string& text, size_t i) {
  const auto c = static_cast<unsigned char>(text[i]);
  size_t length = 0;
  if (c < 0x80) {
    length = 1;
  } else if ((c & 0xE0) == 0xC0 && c >= 0xC2) {
    length = 2;
  } else if ((c & 0xF0) == 0xE0) {
    length = 3;
  } else if ((c & 0xF8) == 0xF0 && c <= 0xF4) {
    length = 4;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  for (size_t k = 1; k < length; ++k) {
    if (!IsContinuation(static_cast<unsigned char>(text[i + k]))) return 0;
  }
  return length;
}

}  // namespace

LineEditor::LineEditor(std::string text) {
  Reset(std::move(text));
}

void LineEditor::Reset(std::string text) {
  text_ = std::move(text);
  caret_ = text_.size();
  allSelected_ = true;
  edited_ = false;
}

bool LineEditor::EraseSelection() {
  if (!allSelected_) return false;
  allSelected_ = false;
  if (!text_.empty()) edited_ = true;
  text_.clear();
  caret_ = 0;
  return true;
}

void LineEditor::Insert(const std::string& typed) {
  std::string clean;
  for (size_t i = 0; i < typed.size();) {
    const size_t length = CharacterLength(typed, i);
    if (length == 0) {
      ++i;
      continue;
    }
    const auto c = static_cast<unsigned char>(typed[i]);
    if (length > 1 || (c >= 0x20 && c != 0x7F)) clean.append(typed, i, length);
    i += length;
  }
  // Nothing to insert (an empty clipboard, control characters alone) leaves the text as it is.
  if (clean.empty()) return;
  EraseSelection();
  const size_t room = kMaxBytes > text_.size() ? kMaxBytes - text_.size() : 0;
  if (clean.size() > room) {
    size_t cut = room;
    while (cut > 0 && IsContinuation(static_cast<unsigned char>(clean[cut]))) --cut;
    clean.resize(cut);
  }
  text_.insert(caret_, clean);
  caret_ += clean.size();
  if (!clean.empty()) edited_ = true;
}

void LineEditor::Backspace() {
  if (EraseSelection() || caret_ == 0) return;
  size_t start = caret_ - 1;
  while (start > 0 && IsContinuation(static_cast<unsigned char>(text_[start]))) --start;
  text_.erase(start, caret_ - start);
  caret_ = start;
  edited_ = true;
}

void LineEditor::Delete() {
  if (EraseSelection() || caret_ == text_.size()) return;
  size_t end = caret_ + 1;
  while (end < text_.size() && IsContinuation(static_cast<unsigned char>(text_[end]))) ++end;
  text_.erase(caret_, end - caret_);
  edited_ = true;
}

void LineEditor::Left() {
  if (allSelected_) {
    allSelected_ = false;
    caret_ = 0;
    return;
  }
  if (caret_ == 0) return;
  --caret_;
  while (caret_ > 0 && IsContinuation(static_cast<unsigned char>(text_[caret_]))) --caret_;
}

void LineEditor::Right() {
  if (allSelected_) {
    allSelected_ = false;
    caret_ = text_.size();
    return;
  }
  if (caret_ == text_.size()) return;
  ++caret_;
  while (caret_ < text_.size() && IsContinuation(static_cast<unsigned char>(text_[caret_])))
    ++caret_;
}

void LineEditor::Home() {
  allSelected_ = false;
  caret_ = 0;
}

void LineEditor::End() {
  allSelected_ = false;
  caret_ = text_.size();
}

void LineEditor::SelectAll() {
  allSelected_ = true;
  caret_ = text_.size();
}

}  // namespace tavrix::workbench
