// Collects an element's geometry in its own user space as subpaths of anchors with handles,
// keeping with each coordinate where its text is, so that the writer can give back the very
// number a person wrote.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "host/svg/SvgTransform.h"
#include "hostapi/HostTypes.h"

namespace tavrix::svg {

// A coordinate and, when it was written as such in the file, where its text is in the element's
// number text (length 0: it was computed, as by a relative command or an arc).
struct Coordinate {
  double value = 0;
  size_t textStart = 0;
  size_t textLength = 0;
};

struct LocalPoint {
  Coordinate x, y;
};

// One anchor with its handles; a retracted handle is a copy of the anchor.
struct LocalSegment {
  LocalPoint p, in, out;
};

struct LocalSubpath {
  std::vector<LocalSegment> segments;
  bool closed = false;
};

// Takes each finished subpath; a moveto alone, not closed, draws nothing and never arrives.
using SubpathSink = std::function<void(LocalSubpath&&)>;

class PathBuilder {
 public:
  // `toRoot` decides when a closing point equals the start (as the artwork sees them) and how
  // finely arcs are divided. Throws SvgError naming the subpath when one grows past
  // `maxAnchors`.
  PathBuilder(const Affine& toRoot, size_t maxAnchors, SubpathSink sink);

  void MoveTo(const LocalPoint& p);
  void LineTo(const LocalPoint& p);
  void CurveTo(const LocalPoint& c1, const LocalPoint& c2, const LocalPoint& p);
  // A closing point equal to the start merges into it: the start takes its incoming handle.
  void Close();
  // Hands over the last subpath.
  void Finish();

  // Where the pen is: after Close, the start of the subpath it closed.
  const LocalPoint& current() const { return current_; }
  const Affine& toRoot() const { return toRoot_; }
  // The subpath being drawn, if any, and how many subpaths were handed over before it: what a
  // command drew, and into which subpath, is told by these before and after it.
  bool drawing() const { return haveSubpath_; }
  const std::vector<LocalSegment>& openSegments() const { return open_.segments; }
  size_t handedOver() const { return handedOver_; }

 private:
  void Append(const LocalSegment& segment);
  void EndSubpath();

  Affine toRoot_;
  size_t maxAnchors_;
  SubpathSink sink_;
  LocalSubpath open_;
  bool haveSubpath_ = false;
  bool drawn_ = false;
  size_t handedOver_ = 0;
  LocalPoint start_{};
  LocalPoint current_{};
};

// The subpath in the artwork, each anchor marked corner or smooth.
std::vector<PathSegment> ToArtworkSegments(const Affine& toRoot, const LocalSubpath& subpath);

// Whether two artwork points are the same (0 and -0 alike).
inline bool SamePoint(const RealPoint& a, const RealPoint& b) {
  return a.h == b.h && a.v == b.v;
}

}  // namespace tavrix::svg
