#include "host/view/DocumentView.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace tavrix::host {
namespace {

int32_t ToPixel(double value) {
  constexpr double kLimit = std::numeric_limits<int32_t>::max();
  if (std::isnan(value)) return 0;
  return static_cast<int32_t>(std::lround(std::clamp(value, -kLimit, kLimit)));
}

// The parameters [t0, t1] of the line from (x0, y0) along (dx, dy) that lie within the box
// (Liang-Barsky, in doubles: no overflow); false when none does.
bool ClipRange(double x0, double y0, double dx, double dy, double left, double top, double right,
               double bottom, double& t0, double& t1) {
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x0 - left, right - x0, y0 - top, bottom - y0};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0.0) {
      t0 = std::max(t0, t);
    } else {
      t1 = std::min(t1, t);
    }
    if (t0 > t1) return false;
  }
  return true;
}

}  // namespace

std::vector<int32_t> DocumentView::PixelsOf(const ViewStroke& stroke) const {
  const double x0 = stroke.from.h, y0 = stroke.from.v;
  const double dx = static_cast<double>(stroke.to.h) - x0;
  const double dy = static_cast<double>(stroke.to.v) - y0;
  const double steps = std::max(std::fabs(dx), std::fabs(dy));
  std::vector<int32_t> pixels;
  double t0 = 0.0, t1 = 1.0;
  // Widened by a pixel, so that rounding at the window's edges loses nothing.
  if (!ClipRange(x0, y0, dx, dy, -1.0, -1.0, width_, height_, t0, t1)) return pixels;
  const auto first = static_cast<int64_t>(std::ceil(t0 * steps));
  const auto last = static_cast<int64_t>(std::floor(t1 * steps));
  for (int64_t i = first; i <= last; ++i) {
    const double t = steps == 0.0 ? 0.0 : static_cast<double>(i) / steps;
    const int64_t h = std::llround(x0 + dx * t);
    const int64_t v = std::llround(y0 + dy * t);
    if (h < 0 || h >= width_ || v < 0 || v >= height_) continue;
    const auto index = static_cast<int32_t>(v * width_ + h);
    if (pixels.empty() || pixels.back() != index) pixels.push_back(index);
  }
  return pixels;
}

void DocumentView::Resize(int32_t width, int32_t height) {
  width_ = std::clamp(width, kMinSide, kMaxSide);
  height_ = std::clamp(height, kMinSide, kMaxSide);
  raster_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_), 0);
  strokes_.clear();
  strokePixels_.clear();
  InvalidateAll();
}

void DocumentView::SetZoom(double zoom) {
  if (!std::isfinite(zoom) || zoom <= 0) throw std::invalid_argument("a zoom must be more than 0");
  zoom_ = zoom;
  InvalidateAll();
}

void DocumentView::ScrollTo(float left, float top) {
  if (!std::isfinite(left) || !std::isfinite(top))
    throw std::invalid_argument("a scroll position must be a finite point");
  left_ = left;
  top_ = top;
  InvalidateAll();
}

AIPoint DocumentView::ArtworkToView(const RealPoint& artwork) const {
  return AIPoint{ToPixel((static_cast<double>(artwork.h) - left_) * zoom_),
                 ToPixel((static_cast<double>(top_) - artwork.v) * zoom_)};
}

void DocumentView::Invalidate(const AIRect& rect) {
  if (rect.right < rect.left || rect.bottom < rect.top) return;
  invalid_.push_back(rect);
}

void DocumentView::InvalidateAll() {
  invalid_.assign(1,
                  AIRect{std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::min(),
                         std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::max()});
}

std::vector<AIRect> DocumentView::BeginRedraw() {
  std::vector<AIRect> areas = std::move(invalid_);
  invalid_.clear();
  for (const AIRect& area : areas) ClearPixels(area);
  size_t kept = 0;
  for (size_t i = 0; i < strokes_.size(); ++i) {
    const bool gone =
        strokePixels_[i].empty()
            ? std::any_of(areas.begin(), areas.end(),
                          [&](const AIRect& a) { return StrokeTouches(strokes_[i], a); })
            : !AnyPixelShown(strokePixels_[i]);
    if (gone) continue;
    strokes_[kept] = strokes_[i];
    strokePixels_[kept] = std::move(strokePixels_[i]);
    ++kept;
  }
  strokes_.resize(kept);
  strokePixels_.resize(kept);
  return areas;
}

void DocumentView::ClearPixels(const AIRect& rect) {
  const int32_t left = std::max(rect.left, 0);
  const int32_t top = std::max(rect.top, 0);
  const int32_t right = std::min(rect.right, width_);
  const int32_t bottom = std::min(rect.bottom, height_);
  for (int32_t v = top; v < bottom; ++v) {
    for (int32_t h = left; h < right; ++h) raster_[static_cast<size_t>(v) * width_ + h] = 0;
  }
}

bool DocumentView::AnyPixelShown(const std::vector<int32_t>& pixels) const {
  return std::any_of(pixels.begin(), pixels.end(),
                     [&](int32_t index) { return raster_[static_cast<size_t>(index)] != 0; });
}

void DocumentView::DrawLine(const AIPoint& from, const AIPoint& to, int32_t color) {
  const ViewStroke stroke{from, to, color};
  std::vector<int32_t> pixels = PixelsOf(stroke);
  const auto shade = static_cast<uint8_t>(std::clamp(color, 0, 254) + 1);
  for (int32_t index : pixels) raster_[static_cast<size_t>(index)] = shade;
  // Pixels drawn twice are there once.
  if (std::find(strokes_.begin(), strokes_.end(), stroke) != strokes_.end()) return;
  strokes_.push_back(stroke);
  strokePixels_.push_back(std::move(pixels));
}

int32_t DocumentView::PixelAt(int32_t h, int32_t v) const {
  if (h < 0 || h >= width_ || v < 0 || v >= height_) return -1;
  return static_cast<int32_t>(raster_[static_cast<size_t>(v) * width_ + h]) - 1;
}

size_t DocumentView::DrawnPixelCount() const {
  return static_cast<size_t>(
      std::count_if(raster_.begin(), raster_.end(), [](uint8_t p) { return p != 0; }));
}

void DocumentView::Reset() {
  strokes_.clear();
  strokePixels_.clear();
  std::fill(raster_.begin(), raster_.end(), uint8_t{0});
  InvalidateAll();
}

bool StrokeTouches(const ViewStroke& stroke, const AIRect& rect) {
  const double x0 = stroke.from.h, y0 = stroke.from.v;
  double t0 = 0.0, t1 = 1.0;
  return ClipRange(x0, y0, static_cast<double>(stroke.to.h) - x0,
                   static_cast<double>(stroke.to.v) - y0, rect.left, rect.top, rect.right,
                   rect.bottom, t0, t1);
}

bool ClipStroke(ViewStroke& stroke, const AIRect& clip) {
  if (clip.right < clip.left || clip.bottom < clip.top) return false;
  const double x0 = stroke.from.h, y0 = stroke.from.v;
  const double dx = static_cast<double>(stroke.to.h) - x0;
  const double dy = static_cast<double>(stroke.to.v) - y0;
  double t0 = 0.0, t1 = 1.0;
  if (!ClipRange(x0, y0, dx, dy, clip.left, clip.top, clip.right, clip.bottom, t0, t1))
    return false;
  if (t0 > 0.0) stroke.from = AIPoint{ToPixel(x0 + dx * t0), ToPixel(y0 + dy * t0)};
  if (t1 < 1.0) stroke.to = AIPoint{ToPixel(x0 + dx * t1), ToPixel(y0 + dy * t1)};
  return true;
}

}  // namespace tavrix::host
