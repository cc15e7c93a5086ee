// Paths of the artwork as path data in an element's own user space. A point that is where it was
// read is written with the numbers it was read from; any other with the shortest numbers that read
// back to it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "host/svg/PathBuilder.h"
#include "host/svg/SvgDocument.h"

namespace tavrix::svg {

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
  struct Choice {
    double value;
    std::string text;
  };

  void Point(std::string& out, const RealPoint& target) const;
  void Segment(std::string& out, const PathSegment& from, const PathSegment& to) const;
  Choice Original(const Coordinate& coordinate) const;

  Affine toRoot_;
  Affine fromRoot_;
  std::string_view numbers_;
  // Points as read, by their place in the artwork; and, when the transform keeps the axes apart,
  // single coordinates by theirs.
  std::unordered_map<uint64_t, LocalPoint> points_;
  std::unordered_map<uint32_t, Coordinate> xs_, ys_;
};

}  // namespace tavrix::svg
