// What lies under the mouse in the document window, and where zooming and scrolling put the
// view. Pixels are the view's: (0, 0) is its top left corner.
#pragma once

#include <cstddef>
#include <optional>

#include <vector>

#include "host/artwork/Document.h"
#include "host/svg/SvgPaint.h"
#include "host/view/DocumentView.h"

namespace tavrix::workbench {

// How near, in pixels, the mouse must be to take an anchor, a handle's end or a path.
inline constexpr double kAnchorReach = 4.0;
inline constexpr double kPathReach = 3.0;

struct ArtworkHit {
  enum class Kind { None, Anchor, Handle, Path };
  Kind kind = Kind::None;
  size_t path = 0;
  size_t anchor = 0;       // for an anchor or a handle
  bool outHandle = false;  // for a handle: its out end rather than its in end
};

// The handle ends shown around selected anchors come first (they are drawn over the paths),
// then anchors of any path, then the paths' curves (a stroke wider than the reach anywhere on
// it), the nearest winning, the later path on a tie; then the topmost filled shape the point is
// inside of (an open path closed by its chord). `paints` says how each path paints, in the
// document's order; a path it does not reach is taken as neither filled nor stroked.
ArtworkHit HitArtwork(const host::Document& document, const host::DocumentView& view, double x,
                      double y, const std::vector<svg::SvgPaint>& paints = {});

// The path and the other subpaths of its element, which a click selects together as the one
// shape they draw; the path alone when it was not read from an element.
std::vector<size_t> PathsOfShape(const std::vector<svg::SvgPaint>& paints, size_t path);

struct ArtworkPoint {
  double h = 0;
  double v = 0;
};

// The artwork point under the view pixel's centre.
ArtworkPoint ViewToArtwork(const host::DocumentView& view, int x, int y);

// A zoom and the artwork point at the view's top left corner.
struct ViewPlace {
  double zoom = 1;
  double left = 0;
  double top = 0;
};

inline constexpr double kMinZoom = 1.0 / 64;
inline constexpr double kMaxZoom = 64.0;

// The zoom multiplied by `factor` (kept within kMinZoom and kMaxZoom) with the artwork point
// under the pixel (x, y) staying there.
ViewPlace ZoomedAbout(const host::DocumentView& view, double factor, double x, double y);
// The view moved so that what was at pixel (x, y) is at (x + dx, y + dy).
ViewPlace DraggedBy(const host::DocumentView& view, double dx, double dy);
// The view given a size of width x height pixels, the artwork at its middle staying there, as
// drawing programs keep it when their window is resized.
ViewPlace ResizedAboutTheMiddle(const host::DocumentView& view, int width, int height);
// Every path, handles included, in the middle of the view with a margin, at most at 400 %;
// nothing when the document has no point.
std::optional<ViewPlace> FitArtwork(const host::Document& document, const host::DocumentView& view);

}  // namespace tavrix::workbench
