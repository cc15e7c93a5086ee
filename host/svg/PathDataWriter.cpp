#include "host/svg/PathDataWriter.h"

#include <cmath>
#include <cstring>

#include "host/svg/NumberText.h"
#include "host/svg/SvgError.h"
#include "host/svg/SvgNumbers.h"

namespace tavrix::svg {
namespace {

bool Retracted(const RealPoint& handle, const RealPoint& anchor) {
  return SamePoint(handle, anchor);
}

}  // namespace

uint32_t KeyOf(float value) {
  if (value == 0) value = 0;
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

uint64_t KeyOf(const RealPoint& p) {
  return (static_cast<uint64_t>(KeyOf(p.h)) << 32) | KeyOf(p.v);
}

PointNumbers::PointNumbers(const Affine& toRoot) : toRoot_(toRoot) {
  const std::optional<Affine> inverse = Inverse(toRoot);
  if (!inverse)
    throw SvgError("its transform cannot be undone, so its new shape cannot be written");
  fromRoot_ = *inverse;
}

Point PointNumbers::Local(const RealPoint& target) const {
  const double rootX = target.h, rootY = -static_cast<double>(target.v);
  const double x = fromRoot_.a * rootX + fromRoot_.c * rootY + fromRoot_.e;
  const double y = fromRoot_.b * rootX + fromRoot_.d * rootY + fromRoot_.f;
  if (!std::isfinite(x) || !std::isfinite(y)) {
    throw SvgError("its new shape reaches beyond what its own user space can hold");
  }
  return Point{x, y};
}

bool PointNumbers::Reaches(double x, double y, const RealPoint& target) const {
  return SamePoint(ToArtwork(toRoot_, x, y), target);
}

std::optional<NumberText> PointNumbers::Pick(const std::vector<NumberText>& keeps, double exact,
                                             const double* base, int maxDigits,
                                             const std::function<bool(double)>& fits) const {
  for (const NumberText& keep : keeps) {
    if (fits(keep.value)) return keep;
  }
  // A relative number is the difference, written short, read back as the reader sums it. Zero
  // first: rounding to significant digits never comes to it from a difference far below what
  // a float can tell, as that of a pen summed in doubles and the float it stands on.
  const double offset = base != nullptr ? exact - *base : exact;
  if (!std::isfinite(offset)) return std::nullopt;
  if (const double zero = base != nullptr ? *base : 0.0; fits(zero)) return NumberText{zero, "0"};
  for (int digits = 1; digits <= maxDigits; ++digits) {
    std::string text = TextWithDigits(offset, digits);
    const double number = NumberValue(text);
    const double value = base != nullptr ? *base + number : number;
    if (fits(value)) return NumberText{value, std::move(text)};
  }
  return std::nullopt;
}

std::optional<std::pair<NumberText, NumberText>> PointNumbers::Choose(const RealPoint& target,
                                                                      const Point* base,
                                                                      const Keeps& keeps,
                                                                      int maxDigits) const {
  if (keeps.pair && Reaches(keeps.pair->first.value, keeps.pair->second.value, target)) {
    return keeps.pair;
  }
  const Point exact = Local(target);
  const double* baseX = base != nullptr ? &base->x : nullptr;
  const double* baseY = base != nullptr ? &base->y : nullptr;
  // x first, y where it lands; then y to go with the x chosen. Where the transform mixes the
  // axes, the exact y may take a long x: y is then the one that lands when both are rounded alike.
  double yFor = exact.y;
  if (!AxisAligned(toRoot_)) {
    const double offsetX = exact.x - (baseX ? *baseX : 0), offsetY = exact.y - (baseY ? *baseY : 0);
    for (int digits = 1; digits <= maxDigits && std::isfinite(offsetX + offsetY); ++digits) {
      const double xValue = NumberValue(TextWithDigits(offsetX, digits)) + (baseX ? *baseX : 0);
      const double yValue = NumberValue(TextWithDigits(offsetY, digits)) + (baseY ? *baseY : 0);
      if (Reaches(xValue, yValue, target)) {
        yFor = yValue;
        break;
      }
    }
  }
  const std::optional<NumberText> x = Pick(keeps.x, exact.x, baseX, maxDigits, [&](double value) {
    return Reaches(value, yFor, target);
  });
  if (!x) return std::nullopt;
  const std::optional<NumberText> y = Pick(keeps.y, exact.y, baseY, maxDigits, [&](double value) {
    return Reaches(x->value, value, target);
  });
  if (!y) return std::nullopt;
  return std::pair{*x, *y};
}

std::optional<NumberText> PointNumbers::ChooseOne(bool isX, const RealPoint& target, double other,
                                                  const double* base,
                                                  const std::vector<NumberText>& keeps,
                                                  int maxDigits) const {
  const Point exact = Local(target);
  return Pick(keeps, isX ? exact.x : exact.y, base, maxDigits, [&](double value) {
    return isX ? Reaches(value, other, target) : Reaches(other, value, target);
  });
}

std::pair<NumberText, NumberText> PointNumbers::Absolute(const RealPoint& target,
                                                         const Keeps& keeps) const {
  // 17 digits give back any double: past the float's 9, only a transform needs them.
  if (auto chosen = Choose(target, nullptr, keeps, 17)) return *chosen;
  throw SvgError("its transform is too nearly singular to carry its new shape back exactly " +
                 std::string("(the point ") + ShortestText(target.h) + ", " +
                 ShortestText(target.v) + " would read back elsewhere)");
}

PathDataWriter::PathDataWriter(const Affine& toRoot, const std::vector<LocalSubpath>& originals,
                               std::string_view numbers)
    : numbers_(toRoot), text_(numbers) {
  const bool axisAligned = AxisAligned(toRoot);
  for (const LocalSubpath& subpath : originals) {
    for (const LocalSegment& segment : subpath.segments) {
      for (const LocalPoint* p : {&segment.p, &segment.in, &segment.out}) {
        const RealPoint at = ToArtwork(toRoot, p->x.value, p->y.value);
        points_.emplace(KeyOf(at), *p);
        if (axisAligned) {
          xs_.emplace(KeyOf(at.h), p->x);
          ys_.emplace(KeyOf(at.v), p->y);
        }
      }
    }
  }
}

std::optional<NumberText> PathDataWriter::Original(const Coordinate& coordinate) const {
  // A computed coordinate has no text of its own: the shortest that lands is written.
  if (coordinate.textLength == 0) return std::nullopt;
  return NumberText{coordinate.value,
                    std::string(text_.substr(coordinate.textStart, coordinate.textLength))};
}

void PathDataWriter::Point(std::string& out, const RealPoint& target) const {
  // A point where one was read: the numbers it was read from. Otherwise each coordinate as it
  // was read when it still lies where it did (the axes kept apart), or the exact place with ever
  // more digits.
  PointNumbers::Keeps keeps;
  if (const auto found = points_.find(KeyOf(target)); found != points_.end()) {
    const std::optional<NumberText> x = Original(found->second.x), y = Original(found->second.y);
    if (x && y) keeps.pair = std::pair{*x, *y};
    if (x) keeps.x.push_back(*x);
    if (y) keeps.y.push_back(*y);
  }
  if (const auto found = xs_.find(KeyOf(target.h)); found != xs_.end()) {
    if (auto x = Original(found->second)) keeps.x.push_back(*x);
  }
  if (const auto found = ys_.find(KeyOf(target.v)); found != ys_.end()) {
    if (auto y = Original(found->second)) keeps.y.push_back(*y);
  }
  const auto [x, y] = numbers_.Absolute(target, keeps);
  out += x.text;
  out += ',';
  out += y.text;
}

void PathDataWriter::Segment(std::string& out, const PathSegment& from,
                             const PathSegment& to) const {
  if (Retracted(from.out, from.p) && Retracted(to.in, to.p)) {
    out += " L";
  } else {
    out += " C";
    Point(out, from.out);
    out += ' ';
    Point(out, to.in);
    out += ' ';
  }
  Point(out, to.p);
}

std::string PathDataWriter::Write(const std::vector<const EditedPath*>& paths) const {
  std::string out;
  for (const EditedPath* path : paths) {
    const std::vector<PathSegment>& s = path->segments;
    if (!out.empty()) out += ' ';
    out += 'M';
    Point(out, s.front().p);
    for (size_t i = 1; i < s.size(); ++i) Segment(out, s[i - 1], s[i]);
    if (s.size() == 1) {
      // A lone point is kept as a closed subpath; with handles, its closing curve carries them.
      if (path->closed && !(Retracted(s[0].out, s[0].p) && Retracted(s[0].in, s[0].p))) {
        Segment(out, s[0], s[0]);
      }
      out += " Z";
    } else if (path->closed) {
      // The closing curve is written out when it has handles, or when the last anchor is on the
      // first: a point written there merges into the first on reading, and this one must not.
      const PathSegment& last = s.back();
      if (!(Retracted(last.out, last.p) && Retracted(s[0].in, s[0].p)) ||
          SamePoint(last.p, s[0].p)) {
        Segment(out, last, s[0]);
      }
      out += " Z";
    }
  }
  return out;
}

}  // namespace tavrix::svg
