#include "host/dialog/UnitText.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace tavrix::host {
namespace {

enum class Dimension { kNone, kLength, kAngle };

Dimension FieldDimension(int unitCode) {
  if (unitCode == kUnitNone) return Dimension::kNone;
  if (unitCode == kUnitDegrees) return Dimension::kAngle;
  return Dimension::kLength;
}

constexpr double kPointsPerInch = 72.0;
constexpr double kPointsPerMillimetre = 72.0 / 25.4;
constexpr double kPointsPerPica = 12.0;
constexpr int kMaxDepth = 64;
constexpr std::string_view kDegreeSign = "\xC2\xB0";

struct UnitWord {
  std::string_view word;
  double basePerUnit;
  Dimension dimension;
};

// Lower-case spellings; the typed word is folded before lookup.
constexpr UnitWord kUnitWords[] = {
    {"pt", 1.0, Dimension::kLength},
    {"point", 1.0, Dimension::kLength},
    {"points", 1.0, Dimension::kLength},
    {"in", kPointsPerInch, Dimension::kLength},
    {"inch", kPointsPerInch, Dimension::kLength},
    {"inches", kPointsPerInch, Dimension::kLength},
    {"mm", kPointsPerMillimetre, Dimension::kLength},
    {"cm", kPointsPerMillimetre * 10.0, Dimension::kLength},
    {"pc", kPointsPerPica, Dimension::kLength},
    {"p", kPointsPerPica, Dimension::kLength},
    {"pica", kPointsPerPica, Dimension::kLength},
    {"picas", kPointsPerPica, Dimension::kLength},
    {"q", kPointsPerMillimetre / 4.0, Dimension::kLength},
    {"px", 1.0, Dimension::kLength},
    {"pixel", 1.0, Dimension::kLength},
    {"pixels", 1.0, Dimension::kLength},
    {"deg", 1.0, Dimension::kAngle},
    {"degree", 1.0, Dimension::kAngle},
    {"degrees", 1.0, Dimension::kAngle},
};

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// A number without a unit stays in the field's unit until it meets one that has a unit; that
// way "(1+2)*3" keeps 3 as a plain factor rather than 3 of the field's unit.
struct Quantity {
  double value;  // base unit when hasUnit, else the field's unit
  bool hasUnit;
};

class Parser {
 public:
  Parser(std::string_view text, int unitCode)
      : text_(text), fieldPer_(BaseUnitsPer(unitCode)), field_(FieldDimension(unitCode)) {}

  std::optional<double> Run() {
    SkipSpaces();
    if (AtEnd()) return std::nullopt;
    std::optional<Quantity> q = Expression();
    SkipSpaces();
    if (!q || !AtEnd()) return std::nullopt;
    double base = ToBase(*q);
    if (!std::isfinite(base)) return std::nullopt;
    return base;
  }

 private:
  bool AtEnd() const { return pos_ >= text_.size(); }
  char Peek(size_t ahead = 0) const {
    return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0';
  }
  void SkipSpaces() {
    while (!AtEnd() && IsSpace(text_[pos_])) ++pos_;
  }
  bool StartsNumber() const { return IsDigit(Peek()) || (Peek() == '.' && IsDigit(Peek(1))); }

  double ToBase(const Quantity& q) const { return q.hasUnit ? q.value : q.value * fieldPer_; }

  std::optional<Quantity> Expression() {
    std::optional<Quantity> left = Term();
    while (left) {
      SkipSpaces();
      char op = Peek();
      if (op != '+' && op != '-') break;
      ++pos_;
      std::optional<Quantity> right = Term();
      if (!right) return std::nullopt;
      double sign = op == '+' ? 1.0 : -1.0;
      if (!left->hasUnit && !right->hasUnit) {
        left->value += sign * right->value;
      } else {
        left = Quantity{ToBase(*left) + sign * ToBase(*right), true};
      }
    }
    return left;
  }

  std::optional<Quantity> Term() {
    std::optional<Quantity> left = Factor();
    while (left) {
      SkipSpaces();
      char op = Peek();
      if (op != '*' && op != '/') break;
      ++pos_;
      std::optional<Quantity> right = Factor();
      if (!right) return std::nullopt;
      if (op == '*') {
        // A length times a length is no length; one side has to be a plain number.
        if (left->hasUnit && right->hasUnit) return std::nullopt;
        left = Quantity{left->value * right->value, left->hasUnit || right->hasUnit};
      } else {
        if (right->hasUnit) return std::nullopt;
        left->value /= right->value;
      }
    }
    return left;
  }

  std::optional<Quantity> Factor() {
    if (++depth_ > kMaxDepth) return std::nullopt;
    std::optional<Quantity> result = Signed();
    --depth_;
    return result;
  }

  std::optional<Quantity> Signed() {
    SkipSpaces();
    char c = Peek();
    if (c == '-' || c == '+') {
      ++pos_;
      std::optional<Quantity> inner = Factor();
      if (inner && c == '-') inner->value = -inner->value;
      return inner;
    }
    if (c == '(') {
      ++pos_;
      std::optional<Quantity> inner = Expression();
      SkipSpaces();
      if (!inner || Peek() != ')') return std::nullopt;
      ++pos_;
      return inner;
    }
    if ((c == 'p' || c == 'P') && (IsDigit(Peek(1)) || (Peek(1) == '.' && IsDigit(Peek(2))))) {
      ++pos_;
      return PointsAfterP(0.0);
    }
    if (StartsNumber()) return Literal();
    return std::nullopt;
  }

  std::optional<double> Number() {
    size_t start = pos_;
    while (IsDigit(Peek())) ++pos_;
    if (Peek() == '.') {
      ++pos_;
      while (IsDigit(Peek())) ++pos_;
    }
    double value = 0.0;
    const char* first = text_.data() + start;
    const char* last = text_.data() + pos_;
    auto [end, ec] = std::from_chars(first, last, value, std::chars_format::fixed);
    if (ec != std::errc() || end != last) return std::nullopt;
    return value;
  }

  // "6p3": the picas have been read, the points follow the "p" with nothing in between.
  std::optional<Quantity> PointsAfterP(double picas) {
    std::optional<double> points = Number();
    if (!points || !CheckDimension(Dimension::kLength)) return std::nullopt;
    return Quantity{picas * kPointsPerPica + *points, true};
  }

  bool CheckDimension(Dimension d) const { return d == field_; }

  std::optional<Quantity> Literal() {
    std::optional<double> number = Number();
    if (!number) return std::nullopt;
    SkipSpaces();
    if (Peek() == '"') {
      ++pos_;
      return WithUnit(*number, kPointsPerInch, Dimension::kLength);
    }
    if (text_.substr(pos_, kDegreeSign.size()) == kDegreeSign) {
      pos_ += kDegreeSign.size();
      return WithUnit(*number, 1.0, Dimension::kAngle);
    }
    if (!IsLetter(Peek())) return Quantity{*number, false};

    size_t start = pos_;
    while (IsLetter(Peek())) ++pos_;
    std::string word(text_.substr(start, pos_ - start));
    for (char& ch : word) ch = Lower(ch);
    if (word == "p" && StartsNumber()) return PointsAfterP(*number);
    for (const UnitWord& unit : kUnitWords) {
      if (unit.word == word) return WithUnit(*number, unit.basePerUnit, unit.dimension);
    }
    return std::nullopt;
  }

  std::optional<Quantity> WithUnit(double number, double basePerUnit, Dimension d) const {
    if (!CheckDimension(d)) return std::nullopt;
    return Quantity{number * basePerUnit, true};
  }

  std::string_view text_;
  size_t pos_ = 0;
  int depth_ = 0;
  double fieldPer_;
  Dimension field_;
};

}  // namespace

const char* UnitAbbreviation(int unitCode) {
  switch (unitCode) {
    case kUnitNone:
      return "";
    case kUnitInches:
      return "in";
    case kUnitMillimetres:
      return "mm";
    case kUnitCentimetres:
      return "cm";
    case kUnitPicas:
      return "pc";
    case kUnitDegrees:
      return "\xC2\xB0";
    case kUnitQ:
      return "Q";
    case kUnitPixels:
      return "px";
    default:
      return "pt";
  }
}

double BaseUnitsPer(int unitCode) {
  switch (unitCode) {
    case kUnitInches:
      return kPointsPerInch;
    case kUnitMillimetres:
      return kPointsPerMillimetre;
    case kUnitCentimetres:
      return kPointsPerMillimetre * 10.0;
    case kUnitPicas:
      return kPointsPerPica;
    case kUnitQ:
      return kPointsPerMillimetre / 4.0;
    default:
      return 1.0;  // none, points, pixels, degrees and unknown codes
  }
}

std::string FormatValue(double value, int unitCode, int precision, bool appendUnit) {
  if (!std::isfinite(value)) return "";
  double shown = value / BaseUnitsPer(unitCode);
  if (!std::isfinite(shown)) return "";  // near the top of the range a small unit overflows
  if (precision < 0) precision = 0;
  if (precision > 10) precision = 10;

  int length = std::snprintf(nullptr, 0, "%.*f", precision, shown);
  if (length <= 0) return "";
  std::string text(static_cast<size_t>(length) + 1, '\0');
  std::snprintf(text.data(), text.size(), "%.*f", precision, shown);
  text.resize(static_cast<size_t>(length));

  if (text[0] == '-' && text.find_first_not_of("0.", 1) == std::string::npos) text.erase(0, 1);

  const char* unit = UnitAbbreviation(unitCode);
  if (appendUnit && *unit != '\0') {
    if (unitCode != kUnitDegrees) text += ' ';
    text += unit;
  }
  return text;
}

std::optional<double> ParseValue(const std::string& text, int unitCode) {
  return Parser(text, unitCode).Run();
}

}  // namespace tavrix::host
