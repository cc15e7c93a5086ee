#include "host/artwork/PathMeasures.h"

#include <algorithm>
#include <cstring>

#include "host/artwork/PathGeometry.h"

namespace tavrix::host {
namespace {

bool SameGeometry(const std::vector<PathSegment>& a, const std::vector<PathSegment>& b) {
  // Bytes, not values: a -0 where 0 was only costs a new measure.
  return a.size() == b.size() &&
         (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(PathSegment)) == 0);
}

}  // namespace

PathMeasures::Entry& PathMeasures::EntryFor(const DocumentPath& path) {
  auto found = std::find_if(entries_.begin(), entries_.end(),
                            [&](const Entry& e) { return e.handle == path.handle; });
  if (found == entries_.end()) {
    if (entries_.size() == kPathsKept) entries_.pop_back();
    entries_.insert(entries_.begin(), Entry{});
    found = entries_.begin();
  } else if (found != entries_.begin()) {
    std::rotate(entries_.begin(), found, found + 1);
    found = entries_.begin();
  }
  Entry& entry = *found;
  if (entry.handle != path.handle || entry.closed != path.closed ||
      !SameGeometry(entry.segments, path.segments)) {
    entry = Entry{path.handle, path.closed, path.segments, {}, {}, {}};
  }
  return entry;
}

double PathMeasures::Length(const DocumentPath& path) {
  Entry& entry = EntryFor(path);
  if (!entry.length) entry.length = PathLength(path.segments, path.closed);
  return *entry.length;
}

double PathMeasures::Area(const DocumentPath& path) {
  Entry& entry = EntryFor(path);
  if (!entry.area) entry.area = PathArea(path.segments, path.closed);
  return *entry.area;
}

AIRealRect PathMeasures::Bounds(const DocumentPath& path) {
  Entry& entry = EntryFor(path);
  if (!entry.bounds) entry.bounds = PathBounds(path.segments, path.closed);
  return *entry.bounds;
}

}  // namespace tavrix::host
