// The geometry runs on every redisplay of a point: measure its cost per call.
#include <benchmark/benchmark.h>

#include "geometry/BezierCurve.h"
#include "geometry/VectorMath.h"

namespace {

void PolarToCartesianSmallAngles(benchmark::State& state) {
  float angle = -7.0f;
  for (auto _ : state) {
    benchmark::DoNotOptimize(tavrix::PolarToCartesian(10.0f, angle));
    angle = angle > 7.0f ? -7.0f : angle + 0.01f;
  }
}
BENCHMARK(PolarToCartesianSmallAngles);

void PolarToCartesianHugeAngle(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(tavrix::PolarToCartesian(10.0f, 3.0e38f));
}
BENCHMARK(PolarToCartesianHugeAngle);

void TangentAnglesOfARetractedHandle(benchmark::State& state) {
  const RealPoint a{0, 0};
  const RealPoint b{10, 40};
  const RealPoint c{90, 60};
  const RealPoint d{100, 0};
  for (auto _ : state) {
    benchmark::DoNotOptimize(tavrix::InTangentAngle(a, b, d, d));
    benchmark::DoNotOptimize(tavrix::OutTangentAngle(a, a, c, d));
  }
}
BENCHMARK(TangentAnglesOfARetractedHandle);

void SmoothnessTest(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(tavrix::IsSmooth({-10, 3}, {20, -6}));
}
BENCHMARK(SmoothnessTest);

}  // namespace
