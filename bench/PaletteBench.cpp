// The palette at the host's limits: a selected path of the most anchors a path holds, with its
// last anchor current, and up to a million selected paths. Each figure is the whole round trip;
// the counters split it into the stand-in host's time inside its suite functions ("host_us") and
// the rest, which is the plug-in's own ("plugin_us"), per iteration.
#include <benchmark/benchmark.h>

#include <chrono>
#include <csignal>
#include <ctime>
#include <string>
#include <vector>

#include "host/Host.h"
#include "host/dialog/DialogUser.h"
#include "hostapi/PluginMessages.h"
#include "palette/PaletteItems.h"

namespace {

using namespace tavrix::host;

constexpr int kPointXField = 6;
constexpr int kPointXSpin = 4;
constexpr int kPointIndexSpin = 8;
constexpr int kPathSectionTriangle = 27;
constexpr int kIncreasePrecision = 1;
constexpr int kDecreasePrecision = 2;
constexpr int kAbsolute = 4;
constexpr int kRelative = 5;
constexpr int kShowPathDirection = 12;

std::vector<PathSegment> LongPath() {
  std::vector<PathSegment> anchors(kMaxAnchorsPerPath);
  for (size_t i = 0; i < anchors.size(); ++i) {
    const float h = static_cast<float>(i);
    anchors[i] = PathSegment{{h, 0}, {h - 0.25f, 1}, {h + 0.25f, -1}, 0};
  }
  return anchors;
}

// Samples, from a timer signal every 50 microseconds, whether the host's code is running.
class HostShareSampler {
 public:
  HostShareSampler() {
    hostSamples_ = 0;
    allSamples_ = 0;
    struct sigaction action {};
    action.sa_handler = &Sample;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGPROF, &action, &previous_);
    sigevent event{};
    event.sigev_notify = SIGEV_SIGNAL;
    event.sigev_signo = SIGPROF;
    timer_create(CLOCK_MONOTONIC, &event, &timer_);
    const itimerspec every{{0, 50000}, {0, 50000}};
    timer_settime(timer_, 0, &every, nullptr);
  }
  ~HostShareSampler() {
    timer_delete(timer_);
    sigaction(SIGPROF, &previous_, nullptr);
  }
  HostShareSampler(const HostShareSampler&) = delete;
  HostShareSampler& operator=(const HostShareSampler&) = delete;

  double HostShare() const {
    return allSamples_ == 0 ? 0.0 : static_cast<double>(hostSamples_) / allSamples_;
  }

 private:
  static void Sample(int) {
    allSamples_ = allSamples_ + 1;
    if (insideHostCall > 0) hostSamples_ = hostSamples_ + 1;
  }
  static inline volatile std::sig_atomic_t hostSamples_ = 0;
  static inline volatile std::sig_atomic_t allSamples_ = 0;
  struct sigaction previous_ {};
  timer_t timer_{};
};

struct LongPathSession {
  // `selectedPaths` paths are selected: the long one first, then two-anchor paths.
  explicit LongPathSession(size_t selectedPaths = 1, bool pathDataOpen = false) {
    plugin.Start();
    Document& document = host.NewDocument(kAIPointRulerUnits);
    document.AddPath(LongPath(), false);
    for (size_t i = 1; i < selectedPaths; ++i) {
      const float v = static_cast<float>(i);
      document.AddPath(
          {PathSegment{{0, v}, {0, v}, {0, v}, 1}, PathSegment{{1, v}, {1, v}, {1, v}, 1}}, false);
    }
    host.DeliverNotifications();
    plugin.ChooseMenuItem(host.registrations().MenuItemNamed("Tavrix")->handle);
    palette = host.dialogs().DialogNamed(tavrix::kPaletteDialogName);
    std::vector<int16_t> states(kMaxAnchorsPerPath, kAINotSelected);
    states.back() = kAIAnchorSelected;
    document.SetSelection(0, states);
    for (size_t i = 1; i < selectedPaths; ++i)
      document.SetSelection(i, {kAIAnchorSelected, kAIAnchorSelected});
    host.DeliverNotifications();
    if (pathDataOpen) user.Click(Item(kPathSectionTriangle));
  }
  HostItem& Item(int id) { return *host.dialogs().ItemWithId(*palette, id); }

  // Times the action, and splits the time by sampling where it is spent.
  template <class Action>
  void Measure(benchmark::State& state, Action&& action) {
    const HostShareSampler sampler;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) action();
    const double perIteration =
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
            .count() /
        static_cast<double>(state.iterations());
    state.counters["host_us"] = perIteration * sampler.HostShare();
    state.counters["plugin_us"] = perIteration * (1 - sampler.HostShare());
  }

  Host host;
  HostedPlugin& plugin = host.LoadPlugin(TAVRIX_PLUGIN_PATH);
  DialogUser user{host.dialogs()};
  HostDialog* palette = nullptr;
};

void SelectionChange(benchmark::State& state) {
  LongPathSession session(static_cast<size_t>(state.range(0)));
  session.Measure(state, [&] {
    session.host.QueueNotification(kAIArtSelectionChangedNotifier);
    session.host.DeliverNotifications();
  });
}
BENCHMARK(SelectionChange)
    ->Arg(1)
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);

void SelectionChangeWithPathData(benchmark::State& state) {
  LongPathSession session(1, true);
  session.Measure(state, [&] {
    session.host.QueueNotification(kAIArtSelectionChangedNotifier);
    session.host.DeliverNotifications();
  });
}
BENCHMARK(SelectionChangeWithPathData)->Unit(benchmark::kMillisecond);

void TypedEdit(benchmark::State& state) {
  LongPathSession session;
  HostItem& field = session.Item(kPointXField);
  int i = 0;
  session.Measure(state, [&] { session.user.TypeText(field, (i++ % 2) != 0 ? "100" : "200"); });
}
BENCHMARK(TypedEdit)->Unit(benchmark::kMillisecond);

void ArrowClick(benchmark::State& state) {
  LongPathSession session;
  HostItem& spin = session.Item(kPointXSpin);
  int i = 0;
  session.Measure(state, [&] {
    session.user.ClickSpin(spin, (i++ % 2) != 0 ? SpinArrow::Up : SpinArrow::Down);
  });
}
BENCHMARK(ArrowClick)->Unit(benchmark::kMillisecond);

// Stepping to the neighbouring anchor deselects every anchor of the path first.
void PointStep(benchmark::State& state) {
  LongPathSession session;
  HostItem& spin = session.Item(kPointIndexSpin);
  int i = 0;
  session.Measure(state, [&] {
    session.user.ClickSpin(spin, (i++ % 2) != 0 ? SpinArrow::Up : SpinArrow::Down);
  });
}
BENCHMARK(PointStep)->Unit(benchmark::kMillisecond);

void ModeSwitchWithPathData(benchmark::State& state) {
  LongPathSession session(1, true);
  int i = 0;
  session.Measure(state, [&] {
    session.user.ChooseFlyoutEntry(*session.palette, (i++ % 2) != 0 ? kAbsolute : kRelative);
  });
}
BENCHMARK(ModeSwitchWithPathData)->Unit(benchmark::kMillisecond);

// A change of precision changes no geometry, yet redisplays every value.
void RefreshWithPathData(benchmark::State& state) {
  LongPathSession session(1, true);
  int i = 0;
  session.Measure(state, [&] {
    session.user.ChooseFlyoutEntry(*session.palette,
                                   (i++ % 2) != 0 ? kIncreasePrecision : kDecreasePrecision);
  });
}
BENCHMARK(RefreshWithPathData)->Unit(benchmark::kMillisecond);

void RedrawWithMarks(benchmark::State& state) {
  LongPathSession session;
  session.user.ChooseFlyoutEntry(*session.palette, kShowPathDirection);
  session.Measure(state, [&] {
    session.host.view().InvalidateAll();
    session.host.RedrawView();
  });
}
BENCHMARK(RedrawWithMarks)->Unit(benchmark::kMillisecond);

// Paths added one at a time while the palette is shown, each one announced to it.
void BuildDocumentWithPaletteShown(benchmark::State& state) {
  const auto paths = static_cast<size_t>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    {
      Host host;
      HostedPlugin& plugin = host.LoadPlugin(TAVRIX_PLUGIN_PATH);
      plugin.Start();
      Document& document = host.NewDocument(kAIPointRulerUnits);
      plugin.ChooseMenuItem(host.registrations().MenuItemNamed("Tavrix")->handle);
      state.ResumeTiming();
      for (size_t i = 0; i < paths; ++i) {
        const float v = static_cast<float>(i);
        document.AddPath(
            {PathSegment{{0, v}, {0, v}, {0, v}, 1}, PathSegment{{1, v}, {1, v}, {1, v}, 1}},
            false);
        host.DeliverNotifications();
      }
      state.PauseTiming();
    }
    state.ResumeTiming();
  }
}
BENCHMARK(BuildDocumentWithPaletteShown)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
