#include "host/svg/PathBuilder.h"

#include <cmath>
#include <string>
#include <utility>

#include "host/svg/SvgError.h"

namespace tavrix::svg {
namespace {

// How far from exactly opposite two handles may point and still make a smooth anchor.
constexpr double kSmoothTolerance = 1e-3;

RealPoint Artwork(const Affine& toRoot, const LocalPoint& p) {
  return ToArtwork(toRoot, p.x.value, p.y.value);
}

// Whether the handles point in opposite directions. Measured before the coordinates are rounded
// to floats, which would turn short handles of a smooth anchor by more than the tolerance.
bool HandlesOpposite(const Affine& m, const LocalSegment& s) {
  auto direction = [&](const LocalPoint& from, const LocalPoint& to, double& dx, double& dy) {
    const double x = to.x.value - from.x.value, y = to.y.value - from.y.value;
    dx = m.a * x + m.c * y;
    dy = m.b * x + m.d * y;
  };
  double inX, inY, outX, outY;
  direction(s.in, s.p, inX, inY);
  direction(s.p, s.out, outX, outY);
  const double angle = std::atan2(inX * outY - inY * outX, inX * outX + inY * outY);
  return std::fabs(angle) <= kSmoothTolerance;
}

[[noreturn]] void TooManyAnchors(size_t subpath, size_t limit) {
  throw SvgError("subpath " + std::to_string(subpath) + " has more than " + std::to_string(limit) +
                 " anchors, the most a path can hold");
}

}  // namespace

PathBuilder::PathBuilder(const Affine& toRoot, size_t maxAnchors, SubpathSink sink)
    : toRoot_(toRoot), maxAnchors_(maxAnchors), sink_(std::move(sink)) {}

void PathBuilder::MoveTo(const LocalPoint& p) {
  EndSubpath();
  open_.segments.clear();
  open_.closed = false;
  haveSubpath_ = true;
  drawn_ = false;
  start_ = current_ = p;
  Append(LocalSegment{p, p, p});
}

void PathBuilder::LineTo(const LocalPoint& p) {
  CurveTo(current_, p, p);
}

void PathBuilder::CurveTo(const LocalPoint& c1, const LocalPoint& c2, const LocalPoint& p) {
  // Drawing on after a close starts a new subpath where the closed one began.
  if (!haveSubpath_) MoveTo(start_);
  drawn_ = true;
  open_.segments.back().out = c1;
  Append(LocalSegment{p, c2, p});
  current_ = p;
}

void PathBuilder::Close() {
  if (!haveSubpath_) return;
  // Even a moveto alone, closed, is a point that draws (with round caps).
  drawn_ = true;
  open_.closed = true;
  auto& segments = open_.segments;
  if (segments.size() > 1 &&
      SamePoint(Artwork(toRoot_, segments.back().p), Artwork(toRoot_, segments.front().p))) {
    segments.front().in = segments.back().in;
    segments.pop_back();
  }
  EndSubpath();
  current_ = start_;
}

void PathBuilder::Finish() {
  EndSubpath();
}

void PathBuilder::Append(const LocalSegment& segment) {
  // One more than the limit is allowed while open: a closing point may yet merge away.
  if (open_.segments.size() > maxAnchors_) TooManyAnchors(handedOver_ + 1, maxAnchors_);
  open_.segments.push_back(segment);
}

void PathBuilder::EndSubpath() {
  if (!haveSubpath_) return;
  haveSubpath_ = false;
  if (!drawn_) return;
  if (open_.segments.size() > maxAnchors_) TooManyAnchors(handedOver_ + 1, maxAnchors_);
  ++handedOver_;
  sink_(std::move(open_));
  open_ = LocalSubpath{};
}

std::vector<PathSegment> ToArtworkSegments(const Affine& toRoot, const LocalSubpath& subpath) {
  std::vector<PathSegment> segments;
  segments.reserve(subpath.segments.size());
  for (const LocalSegment& local : subpath.segments) {
    PathSegment s{Artwork(toRoot, local.p), Artwork(toRoot, local.in), Artwork(toRoot, local.out),
                  0};
    const bool retracted = SamePoint(s.in, s.p) || SamePoint(s.out, s.p);
    s.corner = retracted || !HandlesOpposite(toRoot, local) ? 1 : 0;
    segments.push_back(s);
  }
  return segments;
}

}  // namespace tavrix::svg
