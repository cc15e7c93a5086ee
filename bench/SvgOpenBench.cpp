// Opening SVG drawings of many elements: the whole open, from the file to the document, must
// grow in proportion to the number of elements, whether each stands on a line of its own or the
// file is one long line.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "host/TemporaryFolder.h"
#include "host/svg/SvgDocument.h"

namespace {

// `count` short paths, each on a line of its own or all on the first line.
std::string ManyPaths(int64_t count, bool oneLine) {
  std::string text = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 1000 1000\">";
  const char* eol = oneLine ? "" : "\n";
  text += eol;
  for (int64_t i = 0; i < count; ++i) {
    const std::string x = std::to_string(i % 1000), y = std::to_string(i / 1000 % 1000);
    text += (oneLine ? "" : "  ") + std::string("<path id=\"p") + std::to_string(i) + "\" d=\"M" +
            x + " " + y + " L" + y + " " + x + "\"/>" + eol;
  }
  return text + "</svg>\n";
}

void OpenDrawing(benchmark::State& state, bool oneLine) {
  const std::filesystem::path folder = tavrix::host::MakeTemporaryFolder("tavrix-svg-bench");
  const std::string path = (folder / "many.svg").string();
  std::ofstream(path, std::ios::binary) << ManyPaths(state.range(0), oneLine);
  for (auto _ : state) {
    const tavrix::svg::SvgDocument document = tavrix::svg::SvgDocument::Open(path);
    if (document.paths().size() != static_cast<size_t>(state.range(0))) {
      state.SkipWithError("another number of paths");
    }
  }
  state.SetComplexityN(state.range(0));
  std::filesystem::remove_all(folder);
}

void OpenLinePerElement(benchmark::State& state) {
  OpenDrawing(state, false);
}
BENCHMARK(OpenLinePerElement)
    ->RangeMultiplier(10)
    ->Range(10000, 100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

void OpenOneLongLine(benchmark::State& state) {
  OpenDrawing(state, true);
}
BENCHMARK(OpenOneLongLine)
    ->RangeMultiplier(10)
    ->Range(10000, 100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

}  // namespace
