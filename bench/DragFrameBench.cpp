// One frame of a drag with the mouse in the workbench, on a drawing of 1,000 filled and stroked
// paths with the palette open: the anchor follows the pointer (the palette hears of it and shows
// the point again), the drawing's SVG text is made as `save` would write it, librsvg reads it,
// and the document window is drawn: the drawing as it looks with the editing layer over it.
// During a drag the drawing is read in layers around the dragged path, and only that path is
// read and drawn again each frame. Each part is also measured alone.
#include <benchmark/benchmark.h>
#include <cairo.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>

#include "host/DirectSelection.h"
#include "pictures/ArtworkDrawing.h"
#include "pictures/CairoHandles.h"
#include "pictures/DrawingPicture.h"
#include "pictures/LayeredPicture.h"
#include "session/Session.h"

namespace {

using namespace tavrix;

constexpr int kPaths = 1000;

std::string ThousandPaths() {
  std::ostringstream svg;
  svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"1000\" height=\"800\">\n";
  for (int i = 0; i < kPaths; ++i) {
    const int x = (i % 40) * 25, y = (i / 40) * 30;
    svg << "  <path d=\"M " << x << " " << y << " C " << x + 5 << " " << y - 8 << " " << x + 15
        << " " << y - 8 << " " << x + 20 << " " << y << " L " << x + 10 << " " << y + 20
        << " Z\" fill=\"#" << (i % 2 == 0 ? "c04020" : "2060c0")
        << "\" stroke=\"#000\" stroke-width=\"1.5\"/>\n";
  }
  svg << "</svg>\n";
  return svg.str();
}

std::string WrittenDrawing() {
  const std::string file =
      (std::filesystem::temp_directory_path() / "tavrix-drag-bench.svg").string();
  std::ofstream(file) << ThousandPaths();
  return file;
}

struct DragSession {
  DragSession() {
    for (const char* line : {"menu", "select 500 1", "zoom 1"}) {
      std::istringstream words(line);
      std::vector<std::string> command{std::istream_iterator<std::string>(words), {}};
      session.Execute(command);
    }
  }
  ~DragSession() { std::filesystem::remove(file); }
  void MoveALittle() {
    step = (step + 1) % 20;
    preview.MoveTo(RealPoint{static_cast<float>(start.h + step), static_cast<float>(start.v)});
  }

  std::ostringstream out;
  app::Session session{{TAVRIX_PLUGIN_PATH, ""}, out};
  std::string file = WrittenDrawing();
  bool opened = (session.Execute({"open", file}), true);
  host::DragPreview preview{session.host(), {500, 1, host::DragPart::Anchor}};
  RealPoint start = preview.start();
  int step = 0;
};

DragSession& Shared() {
  static DragSession session;
  return session;
}

void Draw(DragSession& s, const pictures::LooksPicture* looks, cairo_t* cr) {
  pictures::DrawArtwork(cr, *s.session.host().document(), s.session.host().view(),
                        pictures::FindCurrentPoint(*s.session.host().document()), looks);
}

struct Canvas : pictures::CairoCanvas {
  Canvas() : CairoCanvas(CAIRO_FORMAT_RGB24, 1024, 768) {}
};

// As the workbench draws a frame of a drag: the drawing in layers around the dragged path.
const pictures::LooksPicture* LayeredLooks(DragSession& s, pictures::LayeredPictureCache& cache) {
  const auto layers = s.session.DrawingLayersAround(s.preview.target().path);
  std::string error;
  const pictures::LooksPicture* looks =
      layers ? cache.For({layers->under, layers->element, layers->over}, s.file, error) : nullptr;
  if (looks == nullptr) throw std::runtime_error("the drawing cannot be split: " + error);
  return looks;
}

void BM_DragFrame(benchmark::State& state) {
  DragSession& s = Shared();
  Canvas canvas;
  pictures::LayeredPictureCache cache;
  for (auto _ : state) {
    s.MoveALittle();
    Draw(s, LayeredLooks(s, cache), canvas.cr());
    cairo_surface_flush(canvas.surface());
  }
}
BENCHMARK(BM_DragFrame)->Unit(benchmark::kMillisecond);

// The first frame also reads and draws what lies under and over the dragged path, into the
// surfaces the window's earlier drags left (the very first drag makes them too).
void BM_DragFirstFrame(benchmark::State& state) {
  DragSession& s = Shared();
  Canvas canvas;
  pictures::LayeredPictureCache cache;
  for (auto _ : state) {
    cache.Forget();
    s.MoveALittle();
    Draw(s, LayeredLooks(s, cache), canvas.cr());
    cairo_surface_flush(canvas.surface());
  }
}
BENCHMARK(BM_DragFirstFrame)->Unit(benchmark::kMillisecond);

// A frame drawn from the whole drawing's text, as one that cannot be split is.
void BM_WholeDrawingFrame(benchmark::State& state) {
  DragSession& s = Shared();
  Canvas canvas;
  pictures::DrawingPictureCache cache;
  std::string error;
  for (auto _ : state) {
    s.MoveALittle();
    const pictures::DrawingPicture* looks = cache.For(s.session.DrawingText(), s.file, error);
    Draw(s, looks, canvas.cr());
    cairo_surface_flush(canvas.surface());
  }
}
BENCHMARK(BM_WholeDrawingFrame)->Unit(benchmark::kMillisecond);

void BM_DrawingLayers(benchmark::State& state) {
  DragSession& s = Shared();
  for (auto _ : state) benchmark::DoNotOptimize(s.session.DrawingLayersAround(500));
}
BENCHMARK(BM_DrawingLayers)->Unit(benchmark::kMillisecond);

void BM_MoveWithPaletteFollowing(benchmark::State& state) {
  DragSession& s = Shared();
  for (auto _ : state) s.MoveALittle();
}
BENCHMARK(BM_MoveWithPaletteFollowing)->Unit(benchmark::kMillisecond);

void BM_DrawingText(benchmark::State& state) {
  DragSession& s = Shared();
  for (auto _ : state) benchmark::DoNotOptimize(s.session.DrawingText());
}
BENCHMARK(BM_DrawingText)->Unit(benchmark::kMillisecond);

void BM_LibrsvgRead(benchmark::State& state) {
  DragSession& s = Shared();
  const std::string text = s.session.DrawingText();
  for (auto _ : state) pictures::DrawingPicture picture(text, s.file);
}
BENCHMARK(BM_LibrsvgRead)->Unit(benchmark::kMillisecond);

void BM_DrawWindow(benchmark::State& state) {
  DragSession& s = Shared();
  const pictures::DrawingPicture picture(s.session.DrawingText(), s.file);
  Canvas canvas;
  for (auto _ : state) {
    Draw(s, &picture, canvas.cr());
    cairo_surface_flush(canvas.surface());
  }
}
BENCHMARK(BM_DrawWindow)->Unit(benchmark::kMillisecond);

}  // namespace
