#include "host/svg/SvgNumbers.h"

#include <charconv>
#include <system_error>

namespace tavrix::svg {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Whether a number too large or too small for a double is too small: then it reads as zero.
// Its size is the digits before the point (or minus the zeros after it) plus the exponent.
bool Underflows(std::string_view mantissa, long exponent) {
  long magnitude = 0;
  const size_t point = mantissa.find('.');
  const std::string_view whole = mantissa.substr(0, point);
  const size_t significant = whole.find_first_not_of('0');
  if (significant != std::string_view::npos) {
    magnitude = static_cast<long>(whole.size() - significant);
  } else if (point != std::string_view::npos) {
    const std::string_view fraction = mantissa.substr(point + 1);
    const size_t first = fraction.find_first_not_of('0');
    magnitude = first == std::string_view::npos ? 0 : -static_cast<long>(first);
  }
  return magnitude + exponent < 0;
}

}  // namespace

bool IsSvgSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

SvgError AttributeError(std::string_view attribute, std::string_view value,
                        const SyntaxError& error) {
  const std::string where = error.position >= value.size()
                                ? "at the end"
                                : "at character " + std::to_string(error.position + 1);
  return SvgError(error.expected + " " + where + " of '" + std::string(attribute) + "'");
}

void NumberScanner::SkipSpace() {
  while (!AtEnd() && IsSvgSpace(text_[at_])) ++at_;
}

bool NumberScanner::SkipCommaSpace() {
  SkipSpace();
  if (Peek() != ',') return false;
  ++at_;
  SkipSpace();
  return true;
}

bool NumberScanner::AtNumber() const {
  const char c = Peek();
  return IsDigit(c) || c == '.' || c == '-' || c == '+';
}

void NumberScanner::Fail(std::string expected) const {
  throw SyntaxError{at_, std::move(expected)};
}

namespace {

// Where the digits, with at most one '.', that start at `i` end; `i` itself when there are no
// digits ("." alone is no number).
size_t MantissaEnd(std::string_view text, size_t i) {
  const size_t begin = i;
  size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  return digits == 0 ? begin : i;
}

// Where an exponent that starts at `i` ends, with its value (held at 100000 and more, which is
// out of any double's range already); `i` itself when there is none. An 'e' belongs to the
// number only with digits after it: "1em" is a number and a unit.
size_t ExponentEnd(std::string_view text, size_t i, long* exponent) {
  if (i >= text.size() || (text[i] != 'e' && text[i] != 'E')) return i;
  size_t j = i + 1;
  bool negative = false;
  if (j < text.size() && (text[j] == '-' || text[j] == '+')) negative = text[j++] == '-';
  if (j >= text.size() || !IsDigit(text[j])) return i;
  long value = 0;
  for (; j < text.size() && IsDigit(text[j]); ++j) {
    if (value < 100000) value = value * 10 + (text[j] - '0');
  }
  *exponent = negative ? -value : value;
  return j;
}

}  // namespace

double NumberScanner::Number(size_t* start, size_t* length) {
  const size_t begin = at_;
  size_t i = at_;
  const bool negative = i < text_.size() && text_[i] == '-';
  if (i < text_.size() && (text_[i] == '-' || text_[i] == '+')) ++i;
  const size_t mantissaBegin = i;
  i = MantissaEnd(text_, i);
  if (i == mantissaBegin) Fail("expected a number");
  const size_t mantissaEnd = i;
  long exponent = 0;
  i = ExponentEnd(text_, i, &exponent);
  // from_chars takes no '+', and reads with no regard to the locale.
  double value = 0;
  const char* first = text_.data() + mantissaBegin;
  const char* last = text_.data() + i;
  const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
  if (error == std::errc::result_out_of_range) {
    if (!Underflows(text_.substr(mantissaBegin, mantissaEnd - mantissaBegin), exponent)) {
      Fail("number out of range");
    }
    value = 0;
  } else if (error != std::errc() || end != last) {
    Fail("expected a number");
  }
  if (negative) value = -value;
  if (start != nullptr) *start = begin;
  if (length != nullptr) *length = i - begin;
  at_ = i;
  return value;
}

bool NumberScanner::Flag() {
  const char c = Peek();
  if (c != '0' && c != '1') Fail("expected a flag (0 or 1)");
  ++at_;
  return c == '1';
}

double NumberValue(std::string_view text) {
  NumberScanner scanner(text);
  const double value = scanner.Number();
  if (!scanner.AtEnd()) scanner.Fail("expected the end of the number");
  return value;
}

}  // namespace tavrix::svg
