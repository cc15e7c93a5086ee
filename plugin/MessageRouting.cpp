#include "plugin/MessageRouting.h"

#include "core/ErrorReporting.h"
#include "core/PluginGlobals.h"
#include "palette/VPointDBox.h"

namespace tavrix {

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
      if (g.palette == nullptr) g.palette = new VPointDBox(message.d.self);
    } else if (g.palette == nullptr) {
      return;
    } else if (message.notifier == g.selectionNotifier) {
      // A failed selection query leaves the palette showing an old point: the user is told.
      CheckError(g.palette->UpdateFromSelection());
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
