#include "workbench/CanvasHits.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace tavrix::workbench {
namespace {

struct Pixel {
  double x;
  double y;
};

// Pixel centres, as the pictures draw them.
Pixel Map(const host::DocumentView& view, const RealPoint& p) {
  return Pixel{(static_cast<double>(p.h) - view.origin().h) * view.zoom() + 0.5,
               (view.origin().v - static_cast<double>(p.v)) * view.zoom() + 0.5};
}

double Distance(const Pixel& a, double x, double y) {
  return std::hypot(a.x - x, a.y - y);
}

double SegmentDistance(const Pixel& a, const Pixel& b, double x, double y) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double length2 = dx * dx + dy * dy;
  double t = length2 > 0 ? ((x - a.x) * dx + (y - a.y) * dy) / length2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(a.x + t * dx - x, a.y + t * dy - y);
}

Pixel CurvePoint(const Pixel& p0, const Pixel& p1, const Pixel& p2, const Pixel& p3, double t) {
  const double u = 1 - t;
  const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
  return Pixel{a * p0.x + b * p1.x + c * p2.x + d * p3.x,
               a * p0.y + b * p1.y + c * p2.y + d * p3.y};
}

// The nearest the curve comes to (x, y), measured along a polyline of it fine enough for a
// pixel; a curve whose hull stays out of reach is not flattened at all.
double CurveDistance(const Pixel& p0, const Pixel& p1, const Pixel& p2, const Pixel& p3, double x,
                     double y, double reach) {
  const double minX = std::min({p0.x, p1.x, p2.x, p3.x});
  const double maxX = std::max({p0.x, p1.x, p2.x, p3.x});
  const double minY = std::min({p0.y, p1.y, p2.y, p3.y});
  const double maxY = std::max({p0.y, p1.y, p2.y, p3.y});
  if (!(x >= minX - reach && x <= maxX + reach && y >= minY - reach && y <= maxY + reach))
    return INFINITY;
  const double hull = std::hypot(p1.x - p0.x, p1.y - p0.y) + std::hypot(p2.x - p1.x, p2.y - p1.y) +
                      std::hypot(p3.x - p2.x, p3.y - p2.y);
  const int pieces = static_cast<int>(std::clamp(std::ceil(hull / 2), 1.0, 512.0));
  double nearest = INFINITY;
  Pixel previous = p0;
  for (int i = 1; i <= pieces; ++i) {
    const Pixel next = CurvePoint(p0, p1, p2, p3, static_cast<double>(i) / pieces);
    nearest = std::min(nearest, SegmentDistance(previous, next, x, y));
    previous = next;
  }
  return nearest;
}

int16_t StateOf(const host::DocumentPath& path, size_t anchor) {
  return anchor < path.selection.size() ? path.selection[anchor] : kAINotSelected;
}

bool Finite(const RealPoint& p) {
  return std::isfinite(p.h) && std::isfinite(p.v);
}

// The nearest hit of one kind within reach; the later path wins a tie.
class NearestHit {
 public:
  void Consider(const ArtworkHit& hit, double distance, double reach) {
    if (distance <= reach && distance <= distance_) {
      best_ = hit;
      distance_ = distance;
    }
  }
  const ArtworkHit& best() const { return best_; }

 private:
  ArtworkHit best_;
  double distance_ = INFINITY;
};

ArtworkHit HitHandles(const std::vector<host::DocumentPath>& paths, const host::DocumentView& view,
                      double x, double y) {
  NearestHit nearest;
  for (size_t p = 0; p < paths.size(); ++p) {
    if (!paths[p].IsSelected()) continue;
    for (size_t a = 0; a < paths[p].segments.size(); ++a) {
      if (StateOf(paths[p], a) == kAINotSelected) continue;
      const PathSegment& s = paths[p].segments[a];
      const AIPoint anchor = view.ArtworkToView(s.p);
      for (const bool out : {false, true}) {
        const RealPoint& handle = out ? s.out : s.in;
        const AIPoint end = view.ArtworkToView(handle);
        // A handle lying on its anchor is not shown, so it cannot be taken.
        if (end.h == anchor.h && end.v == anchor.v) continue;
        nearest.Consider(ArtworkHit{ArtworkHit::Kind::Handle, p, a, out},
                         Distance(Map(view, handle), x, y), kAnchorReach);
      }
    }
  }
  return nearest.best();
}

ArtworkHit HitAnchors(const std::vector<host::DocumentPath>& paths, const host::DocumentView& view,
                      double x, double y) {
  NearestHit nearest;
  for (size_t p = 0; p < paths.size(); ++p) {
    for (size_t a = 0; a < paths[p].segments.size(); ++a) {
      const RealPoint& anchor = paths[p].segments[a].p;
      if (!Finite(anchor)) continue;
      nearest.Consider(ArtworkHit{ArtworkHit::Kind::Anchor, p, a, false},
                       Distance(Map(view, anchor), x, y), kAnchorReach);
    }
  }
  return nearest.best();
}

// The curves of a path as pixel quadruples, closed by its last curve when it is closed.
template <class Visit>
void ForEachCurve(const host::DocumentPath& path, const host::DocumentView& view, Visit&& visit) {
  const std::vector<PathSegment>& s = path.segments;
  const size_t curves = s.size() < 2 ? 0 : path.closed ? s.size() : s.size() - 1;
  for (size_t i = 0; i < curves; ++i) {
    const PathSegment& a = s[i];
    const PathSegment& b = s[(i + 1) % s.size()];
    if (!Finite(a.p) || !Finite(a.out) || !Finite(b.in) || !Finite(b.p)) continue;
    visit(Map(view, a.p), Map(view, a.out), Map(view, b.in), Map(view, b.p));
  }
}

// A stroke wider than the reach can be taken anywhere on it.
double StrokeReach(const std::vector<svg::SvgPaint>& paints, size_t path, double zoom) {
  if (path >= paints.size() || !paints[path].stroked) return kPathReach;
  return std::max(kPathReach, paints[path].strokeWidth * zoom / 2);
}

ArtworkHit HitStrokes(const std::vector<host::DocumentPath>& paths, const host::DocumentView& view,
                      double x, double y, const std::vector<svg::SvgPaint>& paints) {
  NearestHit nearest;
  for (size_t p = 0; p < paths.size(); ++p) {
    const double reach = StrokeReach(paints, p, view.zoom());
    ForEachCurve(paths[p], view,
                 [&](const Pixel& p0, const Pixel& p1, const Pixel& p2, const Pixel& p3) {
                   nearest.Consider(ArtworkHit{ArtworkHit::Kind::Path, p, 0, false},
                                    CurveDistance(p0, p1, p2, p3, x, y, reach), reach);
                 });
  }
  return nearest.best();
}

// The crossings of a ray from (x, y) to the right with the line from a to b, counted as the
// winding number counts them.
int Winding(const Pixel& a, const Pixel& b, double x, double y) {
  if ((a.y <= y) == (b.y <= y)) return 0;
  const double crossX = a.x + (y - a.y) / (b.y - a.y) * (b.x - a.x);
  if (crossX <= x) return 0;
  return b.y > a.y ? 1 : -1;
}

struct Crossings {
  int winding = 0;
  int count = 0;
};

// How the path's outline (an open path closed by its chord) crosses the ray from (x, y).
void AddCrossings(const host::DocumentPath& path, const host::DocumentView& view, double x,
                  double y, Crossings& crossings) {
  if (path.segments.size() < 2) return;
  Pixel last = Map(view, path.segments.back().p);
  const auto line = [&](const Pixel& a, const Pixel& b) {
    const int w = Winding(a, b, x, y);
    crossings.winding += w;
    crossings.count += w != 0 ? 1 : 0;
  };
  ForEachCurve(path, view, [&](const Pixel& p0, const Pixel& p1, const Pixel& p2, const Pixel& p3) {
    const double hull = std::hypot(p1.x - p0.x, p1.y - p0.y) +
                        std::hypot(p2.x - p1.x, p2.y - p1.y) + std::hypot(p3.x - p2.x, p3.y - p2.y);
    const int pieces = static_cast<int>(std::clamp(std::ceil(hull / 2), 1.0, 512.0));
    Pixel previous = p0;
    for (int i = 1; i <= pieces; ++i) {
      const Pixel next = CurvePoint(p0, p1, p2, p3, static_cast<double>(i) / pieces);
      line(previous, next);
      previous = next;
    }
  });
  if (!path.closed) line(last, Map(view, path.segments.front().p));
}

// Whether (x, y) is inside the filled shape the paths make together, by the rule.
bool InsideShape(const std::vector<host::DocumentPath>& paths, const std::vector<size_t>& shape,
                 const host::DocumentView& view, double x, double y, bool evenOdd) {
  Crossings crossings;
  for (const size_t p : shape) AddCrossings(paths[p], view, x, y, crossings);
  return evenOdd ? crossings.count % 2 == 1 : crossings.winding != 0;
}

// The paths of each element, by element.
std::map<size_t, std::vector<size_t>> Shapes(const std::vector<svg::SvgPaint>& paints) {
  std::map<size_t, std::vector<size_t>> shapes;
  for (size_t p = 0; p < paints.size(); ++p) {
    if (paints[p].element) shapes[*paints[p].element].push_back(p);
  }
  return shapes;
}

// The topmost filled shape under (x, y); the subpaths of one element are one shape.
ArtworkHit HitFills(const std::vector<host::DocumentPath>& paths, const host::DocumentView& view,
                    double x, double y, std::vector<svg::SvgPaint> paints) {
  paints.resize(std::min(paths.size(), paints.size()));
  std::map<size_t, std::vector<size_t>> shapes = Shapes(paints);
  for (size_t p = paints.size(); p-- > 0;) {
    if (!paints[p].filled) continue;
    std::vector<size_t> shape{p};
    if (paints[p].element) {
      std::vector<size_t>& subpaths = shapes[*paints[p].element];
      if (subpaths.empty()) continue;  // its element was looked at from a later subpath
      shape = std::move(subpaths);
      subpaths.clear();
    }
    if (InsideShape(paths, shape, view, x, y, paints[p].evenOdd))
      return ArtworkHit{ArtworkHit::Kind::Path, p, 0, false};
  }
  return ArtworkHit{};
}

}  // namespace

std::vector<size_t> PathsOfShape(const std::vector<svg::SvgPaint>& paints, size_t path) {
  if (path >= paints.size() || !paints[path].element) return {path};
  std::vector<size_t> shape;
  for (size_t p = 0; p < paints.size(); ++p) {
    if (paints[p].element == paints[path].element) shape.push_back(p);
  }
  return shape;
}

ArtworkHit HitArtwork(const host::Document& document, const host::DocumentView& view, double x,
                      double y, const std::vector<svg::SvgPaint>& paints) {
  const std::vector<host::DocumentPath>& paths = document.paths();
  for (const auto& hit : {HitHandles, HitAnchors}) {
    const ArtworkHit found = hit(paths, view, x, y);
    if (found.kind != ArtworkHit::Kind::None) return found;
  }
  const ArtworkHit stroke = HitStrokes(paths, view, x, y, paints);
  if (stroke.kind != ArtworkHit::Kind::None) return stroke;
  return HitFills(paths, view, x, y, paints);
}

ArtworkPoint ViewToArtwork(const host::DocumentView& view, int x, int y) {
  return ArtworkPoint{view.origin().h + x / view.zoom(), view.origin().v - y / view.zoom()};
}

ViewPlace ZoomedAbout(const host::DocumentView& view, double factor, double x, double y) {
  const double zoom = std::clamp(view.zoom() * factor, kMinZoom, kMaxZoom);
  const double h = view.origin().h + x / view.zoom();
  const double v = view.origin().v - y / view.zoom();
  return ViewPlace{zoom, h - x / zoom, v + y / zoom};
}

ViewPlace DraggedBy(const host::DocumentView& view, double dx, double dy) {
  return ViewPlace{view.zoom(), view.origin().h - dx / view.zoom(),
                   view.origin().v + dy / view.zoom()};
}

ViewPlace ResizedAboutTheMiddle(const host::DocumentView& view, int width, int height) {
  const double zoom = view.zoom();
  const double middleH = view.origin().h + view.width() / 2.0 / zoom;
  const double middleV = view.origin().v - view.height() / 2.0 / zoom;
  return ViewPlace{zoom, middleH - width / 2.0 / zoom, middleV + height / 2.0 / zoom};
}

std::optional<ViewPlace> FitArtwork(const host::Document& document,
                                    const host::DocumentView& view) {
  double minH = INFINITY, maxH = -INFINITY, minV = INFINITY, maxV = -INFINITY;
  for (const host::DocumentPath& path : document.paths()) {
    for (const PathSegment& s : path.segments) {
      for (const RealPoint& p : {s.p, s.in, s.out}) {
        if (!Finite(p)) continue;
        minH = std::min(minH, static_cast<double>(p.h));
        maxH = std::max(maxH, static_cast<double>(p.h));
        minV = std::min(minV, static_cast<double>(p.v));
        maxV = std::max(maxV, static_cast<double>(p.v));
      }
    }
  }
  if (!(minH <= maxH)) return std::nullopt;
  constexpr double kMargin = 0.9;  // of the view the artwork may fill
  const double viewWidth = view.width();
  const double viewHeight = view.height();
  const double width = std::max(maxH - minH, 1e-6);
  const double height = std::max(maxV - minV, 1e-6);
  const double zoom = std::clamp(
      std::min(viewWidth * kMargin / width, viewHeight * kMargin / height), kMinZoom, 4.0);
  const double centreH = minH / 2 + maxH / 2;
  const double centreV = minV / 2 + maxV / 2;
  return ViewPlace{zoom, centreH - viewWidth / 2 / zoom, centreV + viewHeight / 2 / zoom};
}

}  // namespace tavrix::workbench
