#include "session/SavedArtwork.h"

#include <algorithm>

namespace tavrix::app {
namespace {

bool SamePoint(const RealPoint& a, const RealPoint& b) {
  return a.h == b.h && a.v == b.v;
}

bool SameSegment(const PathSegment& a, const PathSegment& b) {
  return SamePoint(a.p, b.p) && SamePoint(a.in, b.in) && SamePoint(a.out, b.out) &&
         a.corner == b.corner;
}

bool SameShape(const host::DocumentPath& a, const host::DocumentPath& b) {
  return a.closed == b.closed && std::equal(a.segments.begin(), a.segments.end(),
                                            b.segments.begin(), b.segments.end(), SameSegment);
}

}  // namespace

void SavedArtwork::Remember(const host::Document* document) {
  paths_.clear();
  if (document == nullptr) return;
  for (const host::DocumentPath& path : document->paths()) {
    host::DocumentPath shape;
    shape.segments = path.segments;
    shape.closed = path.closed;
    paths_.push_back(std::move(shape));
  }
}

bool SavedArtwork::Differs(const host::Document* document) const {
  // A document closed on purpose leaves nothing to lose.
  if (document == nullptr) return false;
  const std::vector<host::DocumentPath>& paths = document->paths();
  return !std::equal(paths.begin(), paths.end(), paths_.begin(), paths_.end(), SameShape);
}

}  // namespace tavrix::app
