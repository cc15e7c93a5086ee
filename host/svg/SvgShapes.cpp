#include "host/svg/SvgShapes.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "host/svg/ArcToBezier.h"  // Point
#include "host/svg/PathData.h"
#include "host/svg/SvgNumbers.h"

namespace tavrix::svg {
namespace {

enum class Axis { X, Y, Diagonal };

// User units per unit; a user unit is a CSS pixel.
std::optional<double> UnitSize(std::string_view unit) {
  if (unit.empty() || unit == "px") return 1.0;
  if (unit == "pt") return 96.0 / 72.0;
  if (unit == "pc") return 16.0;
  if (unit == "in") return 96.0;
  if (unit == "cm") return 96.0 / 2.54;
  if (unit == "mm") return 96.0 / 25.4;
  if (unit == "Q") return 96.0 / 101.6;
  return std::nullopt;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsSvgSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSvgSpace(text.back())) text.remove_suffix(1);
  return text;
}

// Reads the lengths of one element, appending each attribute's text to `numbers`. The viewport
// is kept by value: the root's own is worked out from a temporary one while its lengths are read.
class LengthReader {
 public:
  LengthReader(const pugi::xml_node& element, const Viewport& viewport, std::string& numbers)
      : element_(element), viewport_(viewport), numbers_(numbers) {}

  // Nullopt for an absent attribute or, when `autoAllowed`, "auto".
  std::optional<Coordinate> Optional(const char* name, Axis axis, bool autoAllowed = false) {
    const pugi::xml_attribute attribute = element_.attribute(name);
    if (!attribute) return std::nullopt;
    const std::string_view value = attribute.value();
    if (autoAllowed && Trimmed(value) == "auto") return std::nullopt;
    const size_t base = numbers_.size();
    numbers_.append(value);
    try {
      NumberScanner scan(value);
      scan.SkipSpace();
      size_t start = 0, length = 0;
      const double number = scan.Number(&start, &length);
      const size_t unitBegin = scan.position();
      while (std::isalpha(static_cast<unsigned char>(scan.Peek())) || scan.Peek() == '%') {
        scan.Advance();
      }
      const std::string_view unit = value.substr(unitBegin, scan.position() - unitBegin);
      scan.SkipSpace();
      if (!scan.AtEnd()) scan.Fail("expected a length such as 12 or 3mm");
      if (unit == "%") return Coordinate{number / 100 * Reference(name, axis), 0, 0};
      const std::optional<double> size = UnitSize(unit);
      if (!size) {
        throw SvgError("'" + std::string(name) + "' has the unit '" + std::string(unit) +
                       "'; only px, pt, pc, in, cm, mm, Q and % are read");
      }
      if (*size == 1.0) return Coordinate{number, base + start, length};
      return Coordinate{number * *size, 0, 0};
    } catch (const SyntaxError& error) {
      throw AttributeError(name, value, error);
    }
  }

  Coordinate Or(const char* name, Axis axis, double fallback) {
    return Optional(name, axis).value_or(Coordinate{fallback, 0, 0});
  }

  // A size that may not be negative.
  std::optional<Coordinate> Size(const char* name, Axis axis, bool autoAllowed = false) {
    std::optional<Coordinate> size = Optional(name, axis, autoAllowed);
    if (size && size->value < 0) {
      throw SvgError("'" + std::string(name) +
                     "' is negative: " + element_.attribute(name).value());
    }
    return size;
  }

 private:
  double Reference(const char* name, Axis axis) const {
    if (!viewport_.known) {
      throw SvgError("'" + std::string(name) +
                     "' is a percentage, but the root <svg> has no viewBox or width and height "
                     "to take it of");
    }
    if (axis == Axis::X) return viewport_.width;
    if (axis == Axis::Y) return viewport_.height;
    return std::hypot(viewport_.width, viewport_.height) / std::sqrt(2.0);
  }

  pugi::xml_node element_;
  Viewport viewport_;
  std::string& numbers_;
};

Coordinate Computed(double value) {
  return Coordinate{value, 0, 0};
}

// A quarter of an ellipse, from the pen's place at angle quarter * 90 degrees to `end`, as one
// curve: circles, ellipses and rounded corners get the four anchors a person drawing them would
// get (within 0.03% of the radius), where arcs in path data are followed more closely. The
// handles are worked out from exact quarter-turn sines, so a handle along a side lies exactly
// along it.
void EllipseQuarter(PathBuilder& builder, Point center, double rx, double ry, int quarter,
                    const LocalPoint& end) {
  static const double kCos[4] = {1, 0, -1, 0}, kSin[4] = {0, 1, 0, -1};
  const int from = ((quarter % 4) + 4) % 4, to = (from + 1) % 4;
  const double k = 4.0 / 3.0 * (std::sqrt(2.0) - 1);  // the usual handle length of a quarter
  builder.CurveTo({Computed(center.x + rx * (kCos[from] - k * kSin[from])),
                   Computed(center.y + ry * (kSin[from] + k * kCos[from]))},
                  {Computed(center.x + rx * (kCos[to] + k * kSin[to])),
                   Computed(center.y + ry * (kSin[to] - k * kCos[to]))},
                  end);
}

// Four quarter arcs clockwise on the page from the rightmost point.
void Ellipse(PathBuilder& builder, const Coordinate& cx, const Coordinate& cy, double rx,
             double ry) {
  const Point center{cx.value, cy.value};
  const LocalPoint right{Computed(cx.value + rx), cy}, bottom{cx, Computed(cy.value + ry)};
  const LocalPoint left{Computed(cx.value - rx), cy}, top{cx, Computed(cy.value - ry)};
  builder.MoveTo(right);
  EllipseQuarter(builder, center, rx, ry, 0, bottom);
  EllipseQuarter(builder, center, rx, ry, 1, left);
  EllipseQuarter(builder, center, rx, ry, 2, top);
  EllipseQuarter(builder, center, rx, ry, 3, right);
  builder.Close();
}

void Rect(LengthReader& lengths, PathBuilder& builder) {
  const Coordinate x = lengths.Or("x", Axis::X, 0), y = lengths.Or("y", Axis::Y, 0);
  const double w = lengths.Size("width", Axis::X).value_or(Coordinate{}).value;
  const double h = lengths.Size("height", Axis::Y).value_or(Coordinate{}).value;
  if (w == 0 || h == 0) return;
  // An auto radius takes the other's value; then each is at most half the side.
  std::optional<Coordinate> rxGiven = lengths.Size("rx", Axis::X, true);
  std::optional<Coordinate> ryGiven = lengths.Size("ry", Axis::Y, true);
  double rx = rxGiven ? rxGiven->value : ryGiven ? ryGiven->value : 0;
  double ry = ryGiven ? ryGiven->value : rx;
  rx = std::min(rx, w / 2);
  ry = std::min(ry, h / 2);

  const Coordinate left = x, top = y, right = Computed(x.value + w), bottom = Computed(y.value + h);
  if (rx == 0 || ry == 0) {
    builder.MoveTo({left, top});
    builder.LineTo({right, top});
    builder.LineTo({right, bottom});
    builder.LineTo({left, bottom});
    builder.Close();
    return;
  }
  const Coordinate leftIn = Computed(x.value + rx), rightIn = Computed(x.value + w - rx);
  const Coordinate topIn = Computed(y.value + ry), bottomIn = Computed(y.value + h - ry);
  // The straight sides vanish when the radii take the whole side.
  auto line = [&](const LocalPoint& to) {
    const LocalPoint& at = builder.current();
    if (at.x.value != to.x.value || at.y.value != to.y.value) builder.LineTo(to);
  };
  builder.MoveTo({leftIn, top});
  line({rightIn, top});
  EllipseQuarter(builder, {rightIn.value, topIn.value}, rx, ry, -1, {right, topIn});
  line({right, bottomIn});
  EllipseQuarter(builder, {rightIn.value, bottomIn.value}, rx, ry, 0, {rightIn, bottom});
  line({leftIn, bottom});
  EllipseQuarter(builder, {leftIn.value, bottomIn.value}, rx, ry, 1, {left, bottomIn});
  line({left, topIn});
  EllipseQuarter(builder, {leftIn.value, topIn.value}, rx, ry, 2, {leftIn, top});
  builder.Close();
}

void Points(const pugi::xml_node& element, bool closed, PathBuilder& builder,
            std::string& numbers) {
  const std::string_view value = element.attribute("points").value();
  numbers.assign(value);
  NumberScanner scan(value);
  try {
    scan.SkipSpace();
    bool first = true;
    while (!scan.AtEnd()) {
      size_t xStart = 0, xLength = 0, yStart = 0, yLength = 0;
      const double x = scan.Number(&xStart, &xLength);
      scan.SkipCommaSpace();
      const double y = scan.Number(&yStart, &yLength);
      const LocalPoint p{{x, xStart, xLength}, {y, yStart, yLength}};
      if (first) {
        builder.MoveTo(p);
      } else {
        builder.LineTo(p);
      }
      first = false;
      if (scan.SkipCommaSpace() && scan.AtEnd()) scan.Fail("expected a number");
    }
  } catch (const SyntaxError& error) {
    throw AttributeError("points", value, error);
  }
  if (closed) builder.Close();
}

}  // namespace

bool IsShape(std::string_view kind) {
  return kind == "path" || kind == "rect" || kind == "circle" || kind == "ellipse" ||
         kind == "line" || kind == "polyline" || kind == "polygon";
}

void ReadShape(const pugi::xml_node& element, std::string_view kind, const Viewport& viewport,
               PathBuilder& builder, std::string& numbers) {
  numbers.clear();
  LengthReader lengths(element, viewport, numbers);
  if (kind == "path") {
    numbers = element.attribute("d").value();
    ReadPathData(numbers, builder);
  } else if (kind == "rect") {
    Rect(lengths, builder);
  } else if (kind == "circle") {
    const Coordinate cx = lengths.Or("cx", Axis::X, 0), cy = lengths.Or("cy", Axis::Y, 0);
    const double r = lengths.Size("r", Axis::Diagonal).value_or(Coordinate{}).value;
    if (r > 0) Ellipse(builder, cx, cy, r, r);
  } else if (kind == "ellipse") {
    const Coordinate cx = lengths.Or("cx", Axis::X, 0), cy = lengths.Or("cy", Axis::Y, 0);
    const std::optional<Coordinate> rx = lengths.Size("rx", Axis::X, true);
    const std::optional<Coordinate> ry = lengths.Size("ry", Axis::Y, true);
    const double rxValue = rx ? rx->value : ry ? ry->value : 0;
    const double ryValue = ry ? ry->value : rxValue;
    if (rxValue > 0 && ryValue > 0) Ellipse(builder, cx, cy, rxValue, ryValue);
  } else if (kind == "line") {
    const Coordinate x1 = lengths.Or("x1", Axis::X, 0), y1 = lengths.Or("y1", Axis::Y, 0);
    const Coordinate x2 = lengths.Or("x2", Axis::X, 0), y2 = lengths.Or("y2", Axis::Y, 0);
    builder.MoveTo({x1, y1});
    builder.LineTo({x2, y2});
  } else if (kind == "polyline" || kind == "polygon") {
    Points(element, kind == "polygon", builder, numbers);
  }
  builder.Finish();
}

Viewport RootViewport(const pugi::xml_node& root) {
  Viewport viewport;
  try {
    const std::string_view box = root.attribute("viewBox").value();
    NumberScanner scan(box);
    scan.SkipSpace();
    if (!scan.AtEnd()) {
      double values[4];
      for (int i = 0; i < 4; ++i) {
        if (i > 0) scan.SkipCommaSpace();
        values[i] = scan.Number();
      }
      scan.SkipSpace();
      if (scan.AtEnd() && values[2] > 0 && values[3] > 0) return {values[2], values[3], true};
    }
  } catch (const SyntaxError&) {
    // An unreadable viewBox only means that percentages cannot be read.
  }
  try {
    std::string ignored;
    LengthReader lengths(root, Viewport{}, ignored);
    const std::optional<Coordinate> width = lengths.Size("width", Axis::X);
    const std::optional<Coordinate> height = lengths.Size("height", Axis::Y);
    if (width && height && width->value > 0 && height->value > 0) {
      viewport = {width->value, height->value, true};
    }
  } catch (const SvgError&) {
    // As above: a percentage or unreadable width leaves the viewport unknown.
  }
  return viewport;
}

}  // namespace tavrix::svg
