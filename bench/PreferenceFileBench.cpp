// What it costs the host to keep its preferences in a file: loading and saving files of many
// values, which must grow in proportion to their number.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "host/TemporaryFolder.h"
#include "host/artwork/PreferenceFile.h"

namespace {

using namespace tavrix::host;

PreferenceStore ManyValues(int64_t count) {
  PreferenceStore store;
  for (int64_t i = 0; i < count; ++i)
    store.SetInteger("Tavrix/Value" + std::to_string(i), static_cast<int32_t>(i));
  return store;
}

void LoadPreferences(benchmark::State& state) {
  const std::filesystem::path folder = MakeTemporaryFolder("tavrix-prefs-bench");
  const std::string path = (folder / "prefs.json").string();
  if (SavePreferenceFile(path, ManyValues(state.range(0)))) state.SkipWithError("not saved");
  for (auto _ : state) {
    PreferenceStore store;
    benchmark::DoNotOptimize(LoadPreferenceFile(path, store).outcome);
  }
  state.SetComplexityN(state.range(0));
  std::filesystem::remove_all(folder);
}
BENCHMARK(LoadPreferences)
    ->RangeMultiplier(10)
    ->Range(3000, 300000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

void SavePreferences(benchmark::State& state) {
  const std::filesystem::path folder = MakeTemporaryFolder("tavrix-prefs-bench");
  const std::string path = (folder / "prefs.json").string();
  const PreferenceStore store = ManyValues(state.range(0));
  for (auto _ : state) {
    if (SavePreferenceFile(path, store)) state.SkipWithError("not saved");
  }
  state.SetComplexityN(state.range(0));
  std::filesystem::remove_all(folder);
}
BENCHMARK(SavePreferences)
    ->RangeMultiplier(10)
    ->Range(3000, 300000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

}  // namespace
