#include "host/svg/PathDataWriter.h"

#include <cmath>
#include <cstring>

#include "host/svg/NumberText.h"
#include "host/svg/SvgError.h"
#include "host/svg/SvgNumbers.h"

namespace tavrix::svg {
namespace {

// 0 and -0 alike, as SamePoint has them.
uint32_t Key(float value) {
  if (value == 0) value = 0;
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

uint64_t Key(const RealPoint& p) {
  return (static_cast<uint64_t>(Key(p.h)) << 32) | Key(p.v);
}

bool Retracted(const RealPoint& handle, const RealPoint& anchor) {
  return SamePoint(handle, anchor);
}

}  // namespace

PathDataWriter::PathDataWriter(const Affine& toRoot, const std::vector<LocalSubpath>& originals,
                               std::string_view numbers)
    : toRoot_(toRoot), numbers_(numbers) {
  const std::optional<Affine> inverse = Inverse(toRoot);
  if (!inverse)
    throw SvgError("its transform cannot be undone, so its new shape cannot be written");
  fromRoot_ = *inverse;
  const bool axisAligned = AxisAligned(toRoot);
  for (const LocalSubpath& subpath : originals) {
    for (const LocalSegment& segment : subpath.segments) {
      for (const LocalPoint* p : {&segment.p, &segment.in, &segment.out}) {
        const RealPoint at = ToArtwork(toRoot, p->x.value, p->y.value);
        points_.emplace(Key(at), *p);
        if (axisAligned) {
          xs_.emplace(Key(at.h), p->x);
          ys_.emplace(Key(at.v), p->y);
        }
      }
    }
  }
}

PathDataWriter::Choice PathDataWriter::Original(const Coordinate& coordinate) const {
  if (coordinate.textLength == 0) return {coordinate.value, ShortestText(coordinate.value)};
  return {coordinate.value,
          std::string(numbers_.substr(coordinate.textStart, coordinate.textLength))};
}

void PathDataWriter::Point(std::string& out, const RealPoint& target) const {
  // Where the point is in the element's user space, as exactly as a double says.
  const double rootX = target.h, rootY = -static_cast<double>(target.v);
  const double x = fromRoot_.a * rootX + fromRoot_.c * rootY + fromRoot_.e;
  const double y = fromRoot_.b * rootX + fromRoot_.d * rootY + fromRoot_.f;
  if (!std::isfinite(x) || !std::isfinite(y)) {
    throw SvgError("its new shape reaches beyond what its own user space can hold");
  }
  auto reaches = [&](double xValue, double yValue) {
    return SamePoint(ToArtwork(toRoot_, xValue, yValue), target);
  };

  // A point where one was read: the numbers it was read from.
  if (const auto found = points_.find(Key(target)); found != points_.end()) {
    const Choice x0 = Original(found->second.x), y0 = Original(found->second.y);
    if (reaches(x0.value, y0.value)) {
      out += x0.text + ',' + y0.text;
      return;
    }
  }
  // Otherwise each coordinate as it was read when it still lies where it did (the axes kept
  // apart), or the exact place with ever more digits.
  std::vector<Choice> xOriginals, yOriginals;
  if (const auto found = xs_.find(Key(target.h)); found != xs_.end()) {
    xOriginals.push_back(Original(found->second));
  }
  if (const auto found = ys_.find(Key(target.v)); found != ys_.end()) {
    yOriginals.push_back(Original(found->second));
  }
  auto choose = [&](const std::vector<Choice>& originals, double exact, auto&& fits) -> Choice {
    for (const Choice& choice : originals) {
      if (fits(choice.value)) return choice;
    }
    for (int digits = 1; digits < 17; ++digits) {
      std::string text = TextWithDigits(exact, digits);
      const double value = NumberValue(text);
      if (fits(value)) return {value, std::move(text)};
    }
    return {exact, ShortestText(exact)};
  };
  const Choice xChoice = choose(xOriginals, x, [&](double value) { return reaches(value, y); });
  const Choice yChoice =
      choose(yOriginals, y, [&](double value) { return reaches(xChoice.value, value); });
  // A transform close to flattening the plane may have no number pair that lands on the point:
  // written anyway, the file would read back with the point elsewhere.
  if (!reaches(xChoice.value, yChoice.value)) {
    throw SvgError("its transform is too nearly singular to carry its new shape back exactly " +
                   std::string("(the point ") + ShortestText(target.h) + ", " +
                   ShortestText(target.v) + " would read back elsewhere)");
  }
  out += xChoice.text;
  out += ',';
  out += yChoice.text;
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
