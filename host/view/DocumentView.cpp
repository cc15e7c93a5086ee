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

}  // namespace

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
  strokes_.erase(std::remove_if(strokes_.begin(), strokes_.end(),
                                [&](const ViewStroke& stroke) {
                                  return std::any_of(areas.begin(), areas.end(),
                                                     [&](const AIRect& area) {
                                                       return StrokeTouches(stroke, area);
                                                     });
                                }),
                 strokes_.end());
  return areas;
}

void DocumentView::DrawLine(const AIPoint& from, const AIPoint& to, int32_t color) {
  const ViewStroke stroke{from, to, color};
  // Pixels drawn twice are there once.
  if (std::find(strokes_.begin(), strokes_.end(), stroke) == strokes_.end())
    strokes_.push_back(stroke);
}

void DocumentView::Reset() {
  strokes_.clear();
  InvalidateAll();
}

bool StrokeTouches(const ViewStroke& stroke, const AIRect& rect) {
  // Clip the segment against the rectangle (Liang-Barsky), in doubles: no overflow.
  const double x0 = stroke.from.h, y0 = stroke.from.v;
  const double dx = static_cast<double>(stroke.to.h) - x0,
               dy = static_cast<double>(stroke.to.v) - y0;
  double t0 = 0.0, t1 = 1.0;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x0 - rect.left, rect.right - x0, y0 - rect.top, rect.bottom - y0};
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

}  // namespace tavrix::host
