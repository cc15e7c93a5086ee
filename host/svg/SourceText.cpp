#include "host/svg/SourceText.h"

#include <algorithm>

#include "host/svg/SvgError.h"

namespace tavrix::svg {
namespace {

bool IsXmlSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

[[noreturn]] void Unexpected(std::string_view text, size_t at) {
  const LineColumn place = PlaceOf(text, std::min(at, text.size()));
  throw SvgError("the element text at " + std::to_string(place.line) + ":" +
                 std::to_string(place.column) + " is not as it was read");
}

size_t SkipSpace(std::string_view text, size_t at) {
  while (at < text.size() && IsXmlSpace(text[at])) ++at;
  return at;
}

size_t NameEnd(std::string_view text, size_t at) {
  while (at < text.size() && !IsXmlSpace(text[at]) && text[at] != '/' && text[at] != '>' &&
         text[at] != '=') {
    ++at;
  }
  return at;
}

// After the text `until`, searching from `at`.
size_t After(std::string_view text, size_t at, std::string_view until) {
  const size_t found = text.find(until, at);
  if (found == std::string_view::npos) Unexpected(text, at);
  return found + until.size();
}

// One attribute, `name="value"`, whose name starts at `at` after the space from `spaceBegin`.
AttributeSpan ReadAttribute(std::string_view text, size_t spaceBegin, size_t at) {
  AttributeSpan attribute{};
  attribute.begin = spaceBegin;
  attribute.nameBegin = at;
  attribute.nameEnd = NameEnd(text, at);
  if (attribute.nameEnd == at || spaceBegin == at) Unexpected(text, at);
  at = SkipSpace(text, attribute.nameEnd);
  if (at >= text.size() || text[at] != '=') Unexpected(text, at);
  at = SkipSpace(text, at + 1);
  if (at >= text.size() || (text[at] != '"' && text[at] != '\'')) Unexpected(text, at);
  attribute.quote = text[at];
  attribute.valueBegin = at + 1;
  const size_t close = text.find(attribute.quote, attribute.valueBegin);
  if (close == std::string_view::npos) Unexpected(text, at);
  attribute.valueEnd = close;
  attribute.end = close + 1;
  attribute.name = text.substr(attribute.nameBegin, attribute.nameEnd - attribute.nameBegin);
  return attribute;
}

// A start tag from its '<'; its attributes are filled in when `span` is given.
size_t StartTagEnd(std::string_view text, size_t begin, ElementSpan* span, bool& selfClosing) {
  size_t at = begin + 1;
  const size_t nameEnd = NameEnd(text, at);
  if (nameEnd == at) Unexpected(text, begin);
  if (span != nullptr) {
    span->nameBegin = at;
    span->nameEnd = nameEnd;
  }
  at = nameEnd;
  for (;;) {
    const size_t spaceBegin = at;
    at = SkipSpace(text, at);
    if (at >= text.size()) Unexpected(text, begin);
    if (text[at] == '>' || (text[at] == '/' && at + 1 < text.size() && text[at + 1] == '>')) {
      selfClosing = text[at] == '/';
      if (span != nullptr) span->closeBegin = at;
      return at + (selfClosing ? 2 : 1);
    }
    const AttributeSpan attribute = ReadAttribute(text, spaceBegin, at);
    if (span != nullptr) span->attributes.push_back(attribute);
    at = attribute.end;
  }
}

}  // namespace

LineColumn PlaceOf(std::string_view text, size_t offset) {
  offset = std::min(offset, text.size());
  const size_t newline = offset == 0 ? std::string_view::npos : text.rfind('\n', offset - 1);
  const size_t lineStart = newline == std::string_view::npos ? 0 : newline + 1;
  const size_t line =
      1 + static_cast<size_t>(std::count(text.begin(), text.begin() + offset, '\n'));
  // UTF-8 continuation bytes do not start a character.
  size_t column = 1;
  for (size_t i = lineStart; i < offset; ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) ++column;
  }
  return {line, column};
}

PlaceFinder::PlaceFinder(std::string_view text) : text_(text) {
  lineStarts_.push_back(0);
  for (size_t at = text.find('\n'); at != std::string_view::npos; at = text.find('\n', at + 1)) {
    lineStarts_.push_back(at + 1);
  }
}

LineColumn PlaceFinder::At(size_t offset) {
  offset = std::min(offset, text_.size());
  // The line by its start; the column from where the last place was, when it is on that line.
  const auto next = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), offset);
  const size_t line = static_cast<size_t>(next - lineStarts_.begin());
  const size_t lineStart = *(next - 1);
  size_t from = lineStart, column = 1;
  if (place_.line == line && offset_ >= lineStart && offset_ <= offset) {
    from = offset_;
    column = place_.column;
  }
  // UTF-8 continuation bytes do not start a character.
  for (size_t i = from; i < offset; ++i) {
    if ((static_cast<unsigned char>(text_[i]) & 0xC0) != 0x80) ++column;
  }
  offset_ = offset;
  place_ = {line, column};
  return place_;
}

ElementSpan ScanElement(std::string_view text, size_t begin) {
  if (begin >= text.size() || text[begin] != '<') Unexpected(text, begin);
  ElementSpan span{};
  span.begin = begin;
  span.startTagEnd = StartTagEnd(text, begin, &span, span.selfClosing);
  if (span.selfClosing) {
    span.endTagBegin = span.endTagEnd = span.startTagEnd;
    return span;
  }
  // Through the content to the end tag that brings the depth back to zero.
  size_t depth = 1;
  size_t at = span.startTagEnd;
  for (;;) {
    at = text.find('<', at);
    if (at == std::string_view::npos) Unexpected(text, span.startTagEnd);
    const std::string_view rest = text.substr(at);
    if (rest.rfind("<!--", 0) == 0) {
      at = After(text, at + 4, "-->");
    } else if (rest.rfind("<![CDATA[", 0) == 0) {
      at = After(text, at + 9, "]]>");
    } else if (rest.rfind("<?", 0) == 0) {
      at = After(text, at + 2, "?>");
    } else if (rest.rfind("<!", 0) == 0) {
      at = After(text, at + 2, ">");
    } else if (rest.rfind("</", 0) == 0) {
      const size_t close = After(text, at + 2, ">");
      if (--depth == 0) {
        span.endTagBegin = at;
        span.endTagEnd = close;
        return span;
      }
      at = close;
    } else {
      bool selfClosing = false;
      at = StartTagEnd(text, at, nullptr, selfClosing);
      if (!selfClosing) ++depth;
    }
  }
}

}  // namespace tavrix::svg
