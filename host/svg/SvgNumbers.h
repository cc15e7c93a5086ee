// Reading numbers, flags and separators out of SVG attribute text (path data, point lists,
// transforms, lengths), with the character position of every fault.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "host/svg/SvgError.h"

namespace tavrix::svg {

// A fault at a character of an attribute's text; `position` counts from 0 and may be the text's
// length (it ended too soon).
struct SyntaxError {
  size_t position;
  std::string expected;  // "expected a number", "unexpected 'X'", ...
};

// "expected a number at character 17 of 'd'", or "... at the end of 'd'".
SvgError AttributeError(std::string_view attribute, std::string_view value,
                        const SyntaxError& error);

class NumberScanner {
 public:
  explicit NumberScanner(std::string_view text) : text_(text) {}

  bool AtEnd() const { return at_ >= text_.size(); }
  size_t position() const { return at_; }
  char Peek() const { return AtEnd() ? '\0' : text_[at_]; }
  void Advance() { ++at_; }

  void SkipSpace();
  // Spaces, at most one comma, spaces. True when there was a comma: a number must follow.
  bool SkipCommaSpace();
  bool AtNumber() const;
  // Throws SyntaxError. `start` and `length` receive where its text is.
  double Number(size_t* start = nullptr, size_t* length = nullptr);
  // A single '0' or '1', which needs no separator after it.
  bool Flag();

  [[noreturn]] void Fail(std::string expected) const;

 private:
  std::string_view text_;
  size_t at_ = 0;
};

bool IsSvgSpace(char c);

// The value of one well-formed number's text, exactly as the scanner reads it: the writer checks
// what it writes with this. Throws SyntaxError for anything else.
double NumberValue(std::string_view text);

}  // namespace tavrix::svg
