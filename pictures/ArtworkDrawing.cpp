#include "pictures/ArtworkDrawing.h"

#include <algorithm>
#include <cmath>

#include "pictures/DrawingTools.h"

namespace tavrix::pictures {
namespace {

constexpr double kAnchorHalf = 2.5;  // anchors are 5 pixels square
constexpr double kHandleDot = 2.0;
constexpr double kCurrentRing = 6.5;
constexpr double kFlatness = 0.1;  // pixels a flattened curve may stray
constexpr int kDeepestSplit = 24;

// The view's transformation without its rounding, onto pixel centres, so that curves pass
// through the pixels the host's own ArtworkToView names.
struct ViewMapping {
  double zoom;
  double left;
  double top;
  Point operator()(const RealPoint& p) const {
    return Point{(static_cast<double>(p.h) - left) * zoom + 0.5,
                 (top - static_cast<double>(p.v)) * zoom + 0.5};
  }
};

Point PixelCentre(const AIPoint& p) {
  return Point{p.h + 0.5, p.v + 0.5};
}

bool Finite(const Point& p) {
  return std::isfinite(p.x) && std::isfinite(p.y);
}

// Adds flattened curves to cairo's path, keeping only what comes near the view: cairo cannot
// take coordinates in the millions, and artwork may lie anywhere a float reaches.
class CurveTracer {
 public:
  CurveTracer(cairo_t* cr, const ClipBox& box) : cr_(cr), box_(box) {}

  void Break() { joined_ = false; }

  void Line(Point a, Point b) {
    const auto clipped = ClipSegment(a, b, box_);
    if (!clipped) {
      Break();
      return;
    }
    if (!joined_ || !(clipped->first == last_))
      cairo_move_to(cr_, clipped->first.x, clipped->first.y);
    cairo_line_to(cr_, clipped->second.x, clipped->second.y);
    last_ = clipped->second;
    joined_ = true;
  }

  void Curve(const Point& p0, const Point& p1, const Point& p2, const Point& p3, int depth = 0) {
    if (!Finite(p0) || !Finite(p1) || !Finite(p2) || !Finite(p3)) {
      Break();
      return;
    }
    // The curve lies inside its control points' hull: a hull off the view draws nothing.
    const double minX = std::min({p0.x, p1.x, p2.x, p3.x});
    const double maxX = std::max({p0.x, p1.x, p2.x, p3.x});
    const double minY = std::min({p0.y, p1.y, p2.y, p3.y});
    const double maxY = std::max({p0.y, p1.y, p2.y, p3.y});
    if (maxX < box_.left || minX > box_.right || maxY < box_.top || minY > box_.bottom) {
      Break();
      return;
    }
    if (depth >= kDeepestSplit || Flat(p0, p1, p2, p3)) {
      Line(p0, p3);
      return;
    }
    const auto mid = [](const Point& a, const Point& b) {
      return Point{a.x / 2 + b.x / 2, a.y / 2 + b.y / 2};
    };
    const Point a = mid(p0, p1), b = mid(p1, p2), c = mid(p2, p3);
    const Point d = mid(a, b), e = mid(b, c);
    const Point m = mid(d, e);
    Curve(p0, a, d, m, depth + 1);
    Curve(m, e, c, p3, depth + 1);
  }

 private:
  // Both control points lie within kFlatness of the chord and between its ends.
  static bool Flat(const Point& p0, const Point& p1, const Point& p2, const Point& p3) {
    const double dx = p3.x - p0.x;
    const double dy = p3.y - p0.y;
    const double length2 = dx * dx + dy * dy;
    for (const Point* c : {&p1, &p2}) {
      const double cx = c->x - p0.x;
      const double cy = c->y - p0.y;
      if (length2 < 1e-12) {
        if (std::hypot(cx, cy) > kFlatness) return false;
        continue;
      }
      const double along = (cx * dx + cy * dy) / length2;
      const double across = std::fabs(cx * dy - cy * dx) / std::sqrt(length2);
      if (along < 0 || along > 1 || across > kFlatness) return false;
    }
    return true;
  }

  cairo_t* cr_;
  ClipBox box_;
  Point last_{0, 0};
  bool joined_ = false;
};

void TracePath(CurveTracer& tracer, const host::DocumentPath& path, const ViewMapping& map) {
  const std::vector<PathSegment>& s = path.segments;
  tracer.Break();
  const size_t curves = path.closed ? s.size() : s.size() - 1;
  for (size_t i = 0; s.size() > 1 && i < curves; ++i) {
    const PathSegment& a = s[i];
    const PathSegment& b = s[(i + 1) % s.size()];
    tracer.Curve(map(a.p), map(a.out), map(b.in), map(b.p));
  }
}

int16_t StateOf(const host::DocumentPath& path, size_t anchor) {
  return anchor < path.selection.size() ? path.selection[anchor] : kAINotSelected;
}

// Handles of every anchor with something of it selected, as lines ending in dots.
void DrawHandles(cairo_t* cr, const host::DocumentPath& path, const host::DocumentView& view,
                 const ClipBox& box) {
  SetColour(cr, kSelection);
  cairo_set_line_width(cr, 1.0);
  for (size_t i = 0; i < path.segments.size(); ++i) {
    if (StateOf(path, i) == kAINotSelected) continue;
    const AIPoint anchor = view.ArtworkToView(path.segments[i].p);
    for (const RealPoint& handle : {path.segments[i].in, path.segments[i].out}) {
      const AIPoint end = view.ArtworkToView(handle);
      if (end.h == anchor.h && end.v == anchor.v) continue;
      if (const auto line = ClipSegment(PixelCentre(anchor), PixelCentre(end), box)) {
        cairo_move_to(cr, line->first.x, line->first.y);
        cairo_line_to(cr, line->second.x, line->second.y);
        cairo_stroke(cr);
      }
      if (box.Contains(PixelCentre(end))) {
        cairo_arc(cr, end.h + 0.5, end.v + 0.5, kHandleDot, 0, 2 * M_PI);
        cairo_fill(cr);
      }
    }
  }
}

// Every anchor of a selected path: filled when the anchor itself is selected, hollow when not.
void DrawAnchors(cairo_t* cr, const host::DocumentPath& path, const host::DocumentView& view,
                 const ClipBox& box) {
  for (size_t i = 0; i < path.segments.size(); ++i) {
    const Point c = PixelCentre(view.ArtworkToView(path.segments[i].p));
    if (!box.Contains(c)) continue;
    cairo_rectangle(cr, c.x - kAnchorHalf, c.y - kAnchorHalf, 2 * kAnchorHalf, 2 * kAnchorHalf);
    SetColour(cr, kSelection);
    if (StateOf(path, i) == kAIAnchorSelected) {
      cairo_fill(cr);
      continue;
    }
    cairo_fill(cr);
    cairo_rectangle(cr, c.x - kAnchorHalf + 1, c.y - kAnchorHalf + 1, 2 * kAnchorHalf - 2,
                    2 * kAnchorHalf - 2);
    SetColour(cr, kWhite);
    cairo_fill(cr);
  }
}

// The drawing as it looks; false when there is none or librsvg could not draw it.
bool DrawLooks(cairo_t* cr, const host::DocumentView& view, const LooksPicture* drawing) {
  if (drawing == nullptr) return false;
  try {
    drawing->Draw(cr, view);
  } catch (const PictureError&) {
    return false;
  }
  return cairo_status(cr) == CAIRO_STATUS_SUCCESS;
}

}  // namespace

void DrawArtwork(cairo_t* cr, const host::Document& document, const host::DocumentView& view,
                 const std::optional<AnchorRef>& currentPoint, const LooksPicture* drawing) {
  const double width = view.width();
  const double height = view.height();
  // Far enough outside that no line's end, cap or dot shows at the edge.
  const ClipBox box{-16, -16, width + 16, height + 16};
  const ViewMapping map{view.zoom(), view.origin().h, view.origin().v};

  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, width, height);
  cairo_clip(cr);
  SetColour(cr, kWhite);
  cairo_paint(cr);
  const bool looks = DrawLooks(cr, view, drawing);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);

  // The artwork, then the selection over it, then the annotator's strokes over both, as the
  // host draws them. Over the drawing as it looks, only the selected paths are outlined.
  CurveTracer tracer(cr, box);
  for (const host::DocumentPath& path : document.paths()) {
    if (path.segments.empty() || (looks && !path.IsSelected())) continue;
    TracePath(tracer, path, map);
    SetColour(cr, path.IsSelected() ? kSelection : kBlack);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
  }
  for (const host::DocumentPath& path : document.paths()) {
    if (!path.IsSelected()) continue;
    DrawHandles(cr, path, view, box);
    DrawAnchors(cr, path, view, box);
  }
  if (currentPoint && currentPoint->path < document.paths().size()) {
    const host::DocumentPath& path = document.paths()[currentPoint->path];
    if (currentPoint->anchor < path.segments.size()) {
      const Point c = PixelCentre(view.ArtworkToView(path.segments[currentPoint->anchor].p));
      if (box.Contains(c)) {
        SetColour(cr, kCurrent);
        cairo_set_line_width(cr, 2.0);
        cairo_new_sub_path(cr);
        cairo_arc(cr, c.x, c.y, kCurrentRing, 0, 2 * M_PI);
        cairo_stroke(cr);
      }
    }
  }
  cairo_set_line_width(cr, 1.0);
  for (const host::ViewStroke& stroke : view.strokes()) {
    const auto line = ClipSegment(PixelCentre(stroke.from), PixelCentre(stroke.to), box);
    if (!line) continue;
    SetColour(cr, AdmColour(stroke.color));
    cairo_move_to(cr, line->first.x, line->first.y);
    cairo_line_to(cr, line->second.x, line->second.y);
    cairo_stroke(cr);
  }
  cairo_restore(cr);
  CheckCairo(cr, "the artwork");
}

std::optional<AnchorRef> FindCurrentPoint(const host::Document& document) {
  const std::vector<host::DocumentPath>& paths = document.paths();
  for (size_t p = 0; p < paths.size(); ++p) {
    if (!paths[p].IsSelected()) continue;
    for (size_t a = 0; a < paths[p].segments.size(); ++a) {
      if (StateOf(paths[p], a) == kAIAnchorSelected) return AnchorRef{p, a};
    }
    return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace tavrix::pictures
