// AI Undo: a plug-in names the change it made during the current call.
#include "host/suites/HostCall.h"
#include "host/suites/HostSuites.h"

namespace tavrix::host {
namespace {

ASErr SetUndoText(const char* undoText, const char* redoText) {
  return HostCall("AIUndo.SetUndoText", [&](Host& host) {
    if (host.document() == nullptr) return kNoDocumentErr;
    host.document()->NameChange(undoText, redoText);
    return kNoErr;
  });
}

const AIUndoSuite kUndo = {&SetUndoText};

}  // namespace

void InstallUndoSuite(SuiteRegistry& suites, FaultPlan& faults) {
  suites.Offer(kAIUndoSuite, kAIUndoSuiteVersion, &kUndo);
  faults.Register("AIUndo.SetUndoText");
}

}  // namespace tavrix::host
