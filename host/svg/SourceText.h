// Finding things in the file's text by byte offset: places as line and column, and the extent
// of an element, its start tag's attributes and its end tag, so that the writer can replace
// exactly those bytes and nothing else.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tavrix::svg {

struct LineColumn {
  size_t line, column;  // from 1; the column counts characters, not bytes
};
LineColumn PlaceOf(std::string_view text, size_t offset);

// Places of many offsets of one text. Each is counted on from the one asked for before, so that
// the places of a file's elements, asked for in document order, cost one pass over the text
// together; an earlier offset starts again from its line.
class PlaceFinder {
 public:
  explicit PlaceFinder(std::string_view text);
  LineColumn At(size_t offset);

 private:
  std::string_view text_;
  std::vector<size_t> lineStarts_;  // the offsets where lines begin, found once
  size_t offset_ = 0;
  LineColumn place_{1, 1};
};

struct AttributeSpan {
  size_t begin;      // the space before the name
  size_t nameBegin;  // the name
  size_t nameEnd;
  size_t valueBegin;  // inside the quotes
  size_t valueEnd;
  size_t end;  // after the closing quote
  char quote;
  std::string_view name;
};

struct ElementSpan {
  size_t begin;               // its '<'
  size_t nameBegin, nameEnd;  // the tag name in the start tag
  std::vector<AttributeSpan> attributes;
  size_t closeBegin;   // the start tag's "/>" or ">" (after any space)
  size_t startTagEnd;  // after its '>'
  bool selfClosing;
  size_t endTagBegin, endTagEnd;  // its end tag; both startTagEnd when self-closing
  size_t end() const { return endTagEnd; }
};

// The element whose '<' is at `begin`, in text that an XML parser accepted. Throws SvgError if the
// text is not as expected there.
ElementSpan ScanElement(std::string_view text, size_t begin);

}  // namespace tavrix::svg
