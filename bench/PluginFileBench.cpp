// What it costs the host to find a plug-in: reading its file, resources and property list.
#include <benchmark/benchmark.h>

#include "host/PluginFile.h"

namespace {

void ReadPluginFile(benchmark::State& state) {
  for (auto _ : state) {
    const auto file = tavrix::host::PluginFile::Read(TAVRIX_PLUGIN_PATH);
    benchmark::DoNotOptimize(file.entryPoint().size());
  }
}
BENCHMARK(ReadPluginFile)->Unit(benchmark::kMicrosecond);

void LookUpEveryPaletteString(benchmark::State& state) {
  const auto file = tavrix::host::PluginFile::Read(TAVRIX_PLUGIN_PATH);
  for (auto _ : state) {
    for (uint32_t id = 30200; id < 30217; ++id)
      benchmark::DoNotOptimize(file.resources().String(id));
  }
}
BENCHMARK(LookUpEveryPaletteString);

}  // namespace
