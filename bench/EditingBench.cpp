// A person's edit as a whole round trip through the stand-in host: the dialog manager takes the
// action, the palette writes the anchor, the host records the undo step and sends the selection
// notification, and the palette shows the point again. On a path of the most anchors a path
// holds, with its last anchor current, so the palette's search for the selected anchor is longest.
#include <benchmark/benchmark.h>

#include <vector>

#include "host/Host.h"
#include "host/dialog/DialogUser.h"
#include "palette/PaletteItems.h"

namespace {

using namespace tavrix::host;

constexpr int kPointXSpin = 4;
constexpr int kPointXField = 6;

struct LongPathSession {
  LongPathSession() {
    plugin.Start();
    Document& document = host.NewDocument(kAIPointRulerUnits);
    std::vector<PathSegment> anchors(kMaxAnchorsPerPath);
    for (size_t i = 0; i < anchors.size(); ++i) {
      const float h = static_cast<float>(i);
      anchors[i] = PathSegment{{h, 0}, {h - 0.25f, 1}, {h + 0.25f, -1}, 0};
    }
    document.AddPath(std::move(anchors), false);
    host.DeliverNotifications();
    plugin.ChooseMenuItem(host.registrations().MenuItemNamed("Tavrix")->handle);
    palette = host.dialogs().DialogNamed(tavrix::kPaletteDialogName);
    document.SelectAnchor(0, kMaxAnchorsPerPath - 1);
    host.DeliverNotifications();
  }
  HostItem& Item(int id) { return *host.dialogs().ItemWithId(*palette, id); }

  Host host;
  HostedPlugin& plugin = host.LoadPlugin(TAVRIX_PLUGIN_PATH);
  DialogUser user{host.dialogs()};
  HostDialog* palette = nullptr;
};

void TypedEditRoundTrip(benchmark::State& state) {
  LongPathSession session;
  HostItem& field = session.Item(kPointXField);
  int i = 0;
  for (auto _ : state) {
    session.user.TypeText(field, (i++ % 2) != 0 ? "100" : "200");
    benchmark::DoNotOptimize(field.text.data());
  }
}
BENCHMARK(TypedEditRoundTrip)->Unit(benchmark::kMicrosecond);

void ArrowClickRoundTrip(benchmark::State& state) {
  LongPathSession session;
  HostItem& spin = session.Item(kPointXSpin);
  int i = 0;
  for (auto _ : state) {
    session.user.ClickSpin(spin, (i++ % 2) != 0 ? SpinArrow::Up : SpinArrow::Down);
  }
}
BENCHMARK(ArrowClickRoundTrip)->Unit(benchmark::kMicrosecond);

}  // namespace
