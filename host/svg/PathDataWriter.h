// Paths of the artwork as path data in an element's own user space. A point that is where it was
// read is written with the numbers it was read from; any other with the shortest numbers that read
// back to it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "host/svg/ArcToBezier.h"  // Point
#include "host/svg/PathBuilder.h"
#include "host/svg/SvgDocument.h"

namespace tavrix::svg {

// A number as written: its text, and the value the reader makes of it where it stands (for a
// relative one, the sum with its base).
struct NumberText {
  double value;
  std::string text;
};

// The numbers that put a point of the artwork where it is, in an element's user space: every
// candidate is read back through the element's transform, so that what is written is known to
// land on the point.
class PointNumbers {
 public:
  // Throws SvgError when the transform cannot be undone.
  explicit PointNumbers(const Affine& toRoot);

  const Affine& toRoot() const { return toRoot_; }
  // Where `target` is in the user space, as exactly as a double says. Throws SvgError when that
  // is beyond a double.
  Point Local(const RealPoint& target) const;
  bool Reaches(double x, double y, const RealPoint& target) const;

  // x and y for `target`: absolute, or relative to `base` when there is one. A pair in `keep`
  // is taken when it lands, then each of `keepX` and `keepY` that does; otherwise the shortest
  // text of at most `maxDigits` significant digits. Nullopt when nothing lands.
  struct Keeps {
    std::optional<std::pair<NumberText, NumberText>> pair;
    std::vector<NumberText> x, y;
  };
  std::optional<std::pair<NumberText, NumberText>> Choose(const RealPoint& target,
                                                          const Point* base, const Keeps& keeps,
                                                          int maxDigits) const;
  // One coordinate when the other is fixed at `other` (as for H and V).
  std::optional<NumberText> ChooseOne(bool isX, const RealPoint& target, double other,
                                      const double* base, const std::vector<NumberText>& keeps,
                                      int maxDigits) const;
  // Absolute numbers, or SvgError when no pair lands on the point: a transform close to
  // flattening the plane may have none, and the file would read back with the point elsewhere.
  std::pair<NumberText, NumberText> Absolute(const RealPoint& target, const Keeps& keeps) const;

 private:
  std::optional<NumberText> Pick(const std::vector<NumberText>& keeps, double exact,
                                 const double* base, int maxDigits,
                                 const std::function<bool(double)>& fits) const;

  Affine toRoot_;
  Affine fromRoot_;
};

// Enough digits for any float: the most a number of the artwork is written with.
inline constexpr int kFloatDigits = 9;

class PathDataWriter {
 public:
  // `toRoot` maps the element's user space to the root's; `originals` are the element's subpaths
  // as read, their texts positions in `numbers` (none for a new element). Throws SvgError when
  // the transform cannot be undone.
  PathDataWriter(const Affine& toRoot, const std::vector<LocalSubpath>& originals,
                 std::string_view numbers);

  // "M10,20 L30,40 C... Z M..." for the paths in order.
  std::string Write(const std::vector<const EditedPath*>& paths) const;

 private:
  void Point(std::string& out, const RealPoint& target) const;
  void Segment(std::string& out, const PathSegment& from, const PathSegment& to) const;
  std::optional<NumberText> Original(const Coordinate& coordinate) const;

  PointNumbers numbers_;
  std::string_view text_;
  // Points as read, by their place in the artwork; and, when the transform keeps the axes apart,
  // single coordinates by theirs.
  std::unordered_map<uint64_t, LocalPoint> points_;
  std::unordered_map<uint32_t, Coordinate> xs_, ys_;
};

// Keys of artwork points and coordinates, 0 and -0 alike, as SamePoint has them.
uint32_t KeyOf(float value);
uint64_t KeyOf(const RealPoint& p);

}  // namespace tavrix::svg
