// The document's window: which part of the artwork it shows at which zoom, the areas waiting to
// be redrawn, and what annotators have drawn into it. It keeps drawings as pixels, as a real
// window does: a redraw clears exactly the invalidated rectangles, so a stroke erased only in
// part leaves its other pixels behind, and it stays a stroke of the view until none is left.
// Drawing the same stroke twice leaves one.
#pragma once

#include <cstdint>
#include <tuple>
#include <vector>

#include "hostapi/AIArtworkSuites.h"

namespace tavrix::host {

struct ViewStroke {
  AIPoint from;
  AIPoint to;
  int32_t color;

  bool operator==(const ViewStroke& o) const {
    return std::tie(from.h, from.v, to.h, to.v, color) ==
           std::tie(o.from.h, o.from.v, o.to.h, o.to.v, o.color);
  }
};

class DocumentView {
 public:
  // The view's handle and its drawing port, as plug-ins see them.
  static constexpr AIDocumentViewHandle kHandle = 0x5649;  // "VI"
  static constexpr AIPortRef kPort = 0x504F;               // "PO"
  // The window's size in pixels when it opens, and the least and most it may be resized to.
  static constexpr int32_t kDefaultWidth = 1024;
  static constexpr int32_t kDefaultHeight = 768;
  static constexpr int32_t kMinSide = 64;
  static constexpr int32_t kMaxSide = 8192;

  int32_t width() const { return width_; }
  int32_t height() const { return height_; }
  // The window resized, each side kept within kMinSide to kMaxSide: what was drawn is gone
  // and the whole view is to be drawn again.
  void Resize(int32_t width, int32_t height);

  double zoom() const { return zoom_; }
  RealPoint origin() const { return RealPoint{left_, top_}; }
  // A zoom or scroll redraws the whole view. Zoom must be finite and positive.
  void SetZoom(double zoom);
  // (left, top) is the artwork point shown at the view's top left corner.
  void ScrollTo(float left, float top);

  // ((h - left) * zoom, (top - v) * zoom), each rounded to the nearest integer; a point too far
  // out to be a pixel is pinned to the largest one.
  AIPoint ArtworkToView(const RealPoint& artwork) const;

  // Collected until the next redraw pass; an empty or inverted rectangle is ignored.
  void Invalidate(const AIRect& rect);
  void InvalidateAll();
  bool NeedsRedraw() const { return !invalid_.empty(); }
  // Starts a pass: answers the areas to redraw and clears every stroke touching one of them.
  // Invalidations from now on wait for the next pass.
  std::vector<AIRect> BeginRedraw();

  void DrawLine(const AIPoint& from, const AIPoint& to, int32_t color);
  // The strokes with a pixel still shown, in the order they were drawn; a stroke wholly outside
  // the window stays until an invalidated rectangle touches it.
  const std::vector<ViewStroke>& strokes() const { return strokes_; }
  // The colour drawn at a pixel of the window, or -1 where nothing is drawn.
  int32_t PixelAt(int32_t h, int32_t v) const;
  // Pixels of the window drawn into and not cleared since.
  size_t DrawnPixelCount() const;
  // A fresh document: nothing drawn, the whole view to be drawn.
  void Reset();

 private:
  int32_t width_ = kDefaultWidth;
  int32_t height_ = kDefaultHeight;
  double zoom_ = 1.0;
  float left_ = 0.0f;
  float top_ = 0.0f;
  // Clears the pixels inside `rect`: left and top edges included, right and bottom not.
  void ClearPixels(const AIRect& rect);
  // The window's pixels that a stroke covers, one per step along its longer axis (both ends
  // included), by index into the raster.
  std::vector<int32_t> PixelsOf(const ViewStroke& stroke) const;
  bool AnyPixelShown(const std::vector<int32_t>& pixels) const;

  std::vector<AIRect> invalid_;
  std::vector<ViewStroke> strokes_;
  // The window's pixels that each stroke covers, by index into `raster_`.
  std::vector<std::vector<int32_t>> strokePixels_;
  // Colour + 1 of each pixel, row by row; 0 where nothing is drawn.
  std::vector<uint8_t> raster_ = std::vector<uint8_t>(size_t{kDefaultWidth} * kDefaultHeight, 0);
};

// Whether the straight stroke passes through the rectangle (edges included).
bool StrokeTouches(const ViewStroke& stroke, const AIRect& rect);
// The part of the stroke inside `clip` (edges included), ends rounded to pixels; false when no
// part of it is.
bool ClipStroke(ViewStroke& stroke, const AIRect& clip);

}  // namespace tavrix::host
