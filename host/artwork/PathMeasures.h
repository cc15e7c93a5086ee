// The host's measures of the paths it was last asked about. The palette asks for the length,
// area and bounds of the same path on every refresh, even one that only changed the number of
// decimals, and integrating a long path's length takes milliseconds.
#pragma once

#include <optional>
#include <vector>

#include "host/artwork/Document.h"

namespace tavrix::host {

class PathMeasures {
 public:
  double Length(const DocumentPath& path);
  double Area(const DocumentPath& path);
  AIRealRect Bounds(const DocumentPath& path);

 private:
  struct Entry {
    AIArtHandle handle = 0;
    bool closed = false;
    std::vector<PathSegment> segments;
    std::optional<double> length;
    std::optional<double> area;
    std::optional<AIRealRect> bounds;
  };
  // The path's entry, emptied of its measures when the path is not as it was measured: the
  // geometry itself is compared, so no change, by whatever hand, can leave a stale answer.
  Entry& EntryFor(const DocumentPath& path);

  static constexpr size_t kPathsKept = 4;
  std::vector<Entry> entries_;  // the most recently asked first
};

}  // namespace tavrix::host
