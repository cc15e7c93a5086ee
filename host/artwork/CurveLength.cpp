#include "host/artwork/CurveLength.h"

#include <algorithm>
#include <cmath>

namespace tavrix::host {
namespace {

// The Kronrod nodes on [-1, 1] (the odd-numbered ones are the 7-point Gauss nodes), with the
// Kronrod weights and the Gauss weights of the shared nodes.
constexpr double kNodes[8] = {
    0.991455371120812639206854697526329, 0.949107912342758524526189684047851,
    0.864864423359769072789712788640926, 0.741531185599394439863864773280788,
    0.586087235467691130294144845693013, 0.405845151377397166906606412076961,
    0.207784955007898467600689403773245, 0.0};
constexpr double kKronrodWeights[8] = {
    0.022935322010529224963732008058970, 0.063092092629978553290700663189204,
    0.104790010322250183839876322541518, 0.140653259715525918745189590510238,
    0.169004726639267902826583426598550, 0.190350578064785409913256402421014,
    0.204432940075298892414161999234649, 0.209482141084727828012999174891714};
constexpr double kGaussWeights[4] = {
    0.129484966168869693270611432679082, 0.279705391489276667901467771423780,
    0.381830050505118944950369775488975, 0.417959183673469387755102040816327};

// The curve's derivative as a t^2 + b t + c.
struct Hodograph {
  double ah, av, bh, bv, ch, cv;

  double SpeedAt(double t) const {
    const double h = (ah * t + bh) * t + ch;
    const double v = (av * t + bv) * t + cv;
    return std::sqrt(h * h + v * v);
  }
};

Hodograph HodographOf(const CurvePoints& c) {
  // B'(t) = 3[(1-t)^2 d0 + 2t(1-t) d1 + t^2 d2] with d the control polygon's legs.
  const double d0h = c.h1 - c.h0, d0v = c.v1 - c.v0;
  const double d1h = c.h2 - c.h1, d1v = c.v2 - c.v1;
  const double d2h = c.h3 - c.h2, d2v = c.v3 - c.v2;
  return Hodograph{3 * (d0h - 2 * d1h + d2h),
                   3 * (d0v - 2 * d1v + d2v),
                   6 * (d1h - d0h),
                   6 * (d1v - d0v),
                   3 * d0h,
                   3 * d0v};
}

struct Estimate {
  double kronrod;
  double error;
};

Estimate Integrate(const Hodograph& speed, double a, double b) {
  const double centre = (a + b) / 2, half = (b - a) / 2;
  double values[15];
  values[7] = speed.SpeedAt(centre);
  for (int i = 0; i < 7; ++i) {
    const double offset = half * kNodes[i];
    values[i] = speed.SpeedAt(centre - offset);
    values[14 - i] = speed.SpeedAt(centre + offset);
  }
  double kronrod = kKronrodWeights[7] * values[7];
  double gauss = kGaussWeights[3] * values[7];
  for (int i = 0; i < 7; ++i) {
    const double pair = values[i] + values[14 - i];
    kronrod += kKronrodWeights[i] * pair;
    if (i % 2 == 1) gauss += kGaussWeights[i / 2] * pair;
  }
  // The difference of the two rules overstates the Kronrod rule's error by far on smooth
  // pieces; scaling it against the integrand's spread, the classic way, keeps it honest without
  // splitting pieces that are already exact.
  const double mean = kronrod / 2;
  double spread = kKronrodWeights[7] * std::fabs(values[7] - mean);
  for (int i = 0; i < 7; ++i)
    spread += kKronrodWeights[i] * (std::fabs(values[i] - mean) + std::fabs(values[14 - i] - mean));
  spread *= half;
  double error = std::fabs(kronrod - gauss) * half;
  if (spread != 0.0 && error != 0.0)
    error = spread * std::min(1.0, std::pow(200 * error / spread, 1.5));
  return Estimate{kronrod * half, error};
}

// Where the speed has a kink (a cusp, or handles running back along the chord) the rules
// converge slowly, so pieces are split until they agree; 48 halvings reach below the spacing
// of doubles near 1.
double Adaptive(const Hodograph& speed, double a, double b, double tolerance, int depth) {
  const Estimate whole = Integrate(speed, a, b);
  if (whole.error <= tolerance || depth >= 48) return whole.kronrod;
  const double middle = (a + b) / 2;
  return Adaptive(speed, a, middle, tolerance / 2, depth + 1) +
         Adaptive(speed, middle, b, tolerance / 2, depth + 1);
}

}  // namespace

double CurveLength(const CurvePoints& c, double relativeTolerance) {
  const double polygon = std::hypot(c.h1 - c.h0, c.v1 - c.v0) +
                         std::hypot(c.h2 - c.h1, c.v2 - c.v1) +
                         std::hypot(c.h3 - c.h2, c.v3 - c.v2);
  if (polygon == 0.0 || !std::isfinite(polygon)) return polygon;
  return Adaptive(HodographOf(c), 0.0, 1.0, polygon * relativeTolerance, 0);
}

}  // namespace tavrix::host
