#include "plugin/MessageRouting.h"

#include "core/ErrorReporting.h"
#include "core/PluginGlobals.h"
#include "palette/VPointDBox.h"

namespace tavrix {
namespace {

void CreatePalette(PluginGlobals& g, SPPluginRef plugin) {
  auto* palette = new VPointDBox(plugin);
  if (palette->IsReady()) {
    g.palette = palette;
    return;
  }
  // A palette without its dialog, or whose set-up failed (already told by the dialog's
  // callback), is never shown half-built: it goes, with its dialog and item wrappers.
  const bool told = palette->dialog != nullptr;
  delete palette;
  if (!told) throw HostError(kBadParameterErr);
}

}  // namespace

ASErr RouteMenuCommand(AIMenuMessage& message) noexcept {
  return RunReportingErrors(message.d.self, [&] {
    if (globals == nullptr || globals->palette == nullptr) return;
    if (message.menuItem == globals->menuItem) globals->palette->ToggleVisibility();
  });
}

ASErr RouteNotifier(AINotifierMessage& message) noexcept {
  return RunReportingErrors(message.d.self, [&] {
    if (globals == nullptr) return;
    PluginGlobals& g = *globals;
    if (message.notifier == g.appStartedNotifier) {
      // One palette per run of the host, however often the host says it has started.
      if (g.palette == nullptr) CreatePalette(g, message.d.self);
    } else if (g.palette == nullptr) {
      return;
    } else if (message.notifier == g.selectionNotifier) {
      // A selection that cannot be read shows no point; the palette says nothing.
      g.palette->UpdateFromSelection();
    } else if (message.notifier == g.preferenceNotifier) {
      g.palette->ApplyModeAndUnits();
    }
  });
}

ASErr RouteAnnotation(AIAnnotatorMessage& message) noexcept {
  if (globals == nullptr || message.annotator != globals->annotator) return kNoErr;
  globals->annotationPort = message.port;
  // The drawing drops its own failures: a pass over the artwork never shows an alert.
  if (globals->palette != nullptr) globals->palette->UpdateDirectionMarks(message.drawState > 0);
  return kNoErr;
}

}  // namespace tavrix
