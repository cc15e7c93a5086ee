#include "host/svg/SvgTransform.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>
#include <vector>

#include "host/svg/SvgNumbers.h"

namespace tavrix::svg {
namespace {

// Cosine and sine of an angle in degrees, exact at multiples of 90 so that rotate(90) keeps
// coordinates whole and the transform axis-aligned.
void CosSin(double degrees, double& cosine, double& sine) {
  const double turns = std::fmod(degrees, 360.0);
  if (std::fmod(turns, 90.0) == 0.0) {
    const int quarter = static_cast<int>(std::lround(turns / 90.0)) & 3;
    static constexpr double kCos[] = {1, 0, -1, 0};
    static constexpr double kSin[] = {0, 1, 0, -1};
    cosine = kCos[quarter];
    sine = kSin[quarter];
    return;
  }
  const double radians = degrees * M_PI / 180.0;
  cosine = std::cos(radians);
  sine = std::sin(radians);
}

Affine Translate(double x, double y) {
  return {1, 0, 0, 1, x, y};
}

Affine OneFunction(std::string_view name, const std::vector<double>& n, NumberScanner& scanner) {
  const size_t count = n.size();
  auto need = [&](bool ok, const char* counts) {
    if (!ok) scanner.Fail(std::string(name) + " takes " + counts);
  };
  if (name == "matrix") {
    need(count == 6, "6 numbers");
    return {n[0], n[1], n[2], n[3], n[4], n[5]};
  }
  if (name == "translate") {
    need(count == 1 || count == 2, "1 or 2 numbers");
    return Translate(n[0], count == 2 ? n[1] : 0);
  }
  if (name == "scale") {
    need(count == 1 || count == 2, "1 or 2 numbers");
    return {n[0], 0, 0, count == 2 ? n[1] : n[0], 0, 0};
  }
  if (name == "rotate") {
    need(count == 1 || count == 3, "1 or 3 numbers");
    double cosine, sine;
    CosSin(n[0], cosine, sine);
    const Affine turn{cosine, sine, -sine, cosine, 0, 0};
    if (count == 1) return turn;
    return Multiply(Translate(n[1], n[2]), Multiply(turn, Translate(-n[1], -n[2])));
  }
  if (name == "skewX" || name == "skewY") {
    need(count == 1, "1 number");
    double cosine, sine;
    CosSin(n[0], cosine, sine);
    const double slope = sine / cosine;
    return name == "skewX" ? Affine{1, 0, slope, 1, 0, 0} : Affine{1, slope, 0, 1, 0, 0};
  }
  scanner.Fail("unknown transform '" + std::string(name) + "'");
}

}  // namespace

Affine Multiply(const Affine& o, const Affine& i) {
  return {o.a * i.a + o.c * i.b, o.b * i.a + o.d * i.b,       o.a * i.c + o.c * i.d,
          o.b * i.c + o.d * i.d, o.a * i.e + o.c * i.f + o.e, o.b * i.e + o.d * i.f + o.f};
}

std::optional<Affine> Inverse(const Affine& m) {
  const double det = m.a * m.d - m.b * m.c;
  if (det == 0.0 || !std::isfinite(det)) return std::nullopt;
  const Affine inverse{m.d / det,
                       -m.b / det,
                       -m.c / det,
                       m.a / det,
                       (m.c * m.f - m.d * m.e) / det,
                       (m.b * m.e - m.a * m.f) / det};
  for (double value : {inverse.a, inverse.b, inverse.c, inverse.d, inverse.e, inverse.f}) {
    if (!std::isfinite(value)) return std::nullopt;
  }
  return inverse;
}

double LargestScale(const Affine& m) {
  // The larger singular value of [a c; b d].
  const double sum = m.a * m.a + m.b * m.b + m.c * m.c + m.d * m.d;
  const double det = m.a * m.d - m.b * m.c;
  const double root = std::sqrt(std::max(0.0, sum * sum - 4 * det * det));
  return std::sqrt((sum + root) / 2);
}

bool AxisAligned(const Affine& m) {
  return m.b == 0.0 && m.c == 0.0;
}

Affine ParseTransform(std::string_view text) {
  NumberScanner scanner(text);
  Affine result;
  try {
    scanner.SkipSpace();
    if (text.substr(scanner.position()) == "none") return result;
    while (!scanner.AtEnd()) {
      const size_t nameBegin = scanner.position();
      while (std::isalpha(static_cast<unsigned char>(scanner.Peek()))) scanner.Advance();
      if (scanner.position() == nameBegin) scanner.Fail("expected a transform such as rotate(30)");
      const std::string_view name = text.substr(nameBegin, scanner.position() - nameBegin);
      scanner.SkipSpace();
      if (scanner.Peek() != '(') scanner.Fail("expected '('");
      scanner.Advance();
      scanner.SkipSpace();
      std::vector<double> numbers;
      while (scanner.Peek() != ')') {
        if (!numbers.empty() && !scanner.SkipCommaSpace() && !scanner.AtNumber()) {
          scanner.Fail("expected a number or ')'");
        }
        numbers.push_back(scanner.Number());
        scanner.SkipSpace();
      }
      const Affine function = OneFunction(name, numbers, scanner);
      scanner.Advance();
      result = Multiply(result, function);
      scanner.SkipCommaSpace();
    }
  } catch (const SyntaxError& error) {
    throw AttributeError("transform", text, error);
  }
  return result;
}

RealPoint ToArtwork(const Affine& m, double x, double y) {
  const double rootX = m.a * x + m.c * y + m.e;
  const double rootY = m.b * x + m.d * y + m.f;
  return RealPoint{static_cast<float>(rootX), -static_cast<float>(rootY)};
}

}  // namespace tavrix::svg
