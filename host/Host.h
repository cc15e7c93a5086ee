// The stand-in host: the application side of the plug-in interface, in-process. It offers every
// suite a plug-in asks for, loads plug-in files through their property lists and sends them
// messages in the host's order. One Host exists at a time; the suites' C functions reach it
// through Host::Current().
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "host/AlertLog.h"
#include "host/BlockStore.h"
#include "host/FaultPlan.h"
#include "host/HostCallMark.h"
#include "host/HostedPlugin.h"
#include "host/MisuseLog.h"
#include "host/Registrations.h"
#include "host/SuiteRegistry.h"
#include "host/artwork/Document.h"
#include "host/artwork/PathMeasures.h"
#include "host/artwork/PreferenceStore.h"
#include "host/dialog/DialogManager.h"
#include "host/platform/Keyboard.h"
#include "host/view/DocumentView.h"
#include "hostapi/SPSuites.h"

namespace tavrix::host {

class Host final : private DocumentListener {
 public:
  // `console`, when given, is where a person watching sees alerts and about boxes.
  explicit Host(std::ostream* console = nullptr);
  // Quits: every started plug-in is shut down, the windows go, then the plug-ins are unloaded.
  ~Host();
  // The same, while the host object (and so its preference store) stays to be read. Once only.
  void Quit();
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  // The host in charge; throws std::logic_error when there is none.
  static Host& Current();

  // Reads the file's property list and maps its code. Throws PluginLoadError with a message
  // naming the file and what is wrong.
  HostedPlugin& LoadPlugin(const std::string& path);
  // Null for a reference the host never gave out.
  HostedPlugin* Plugin(SPPluginRef ref);

  const SPBasicSuite* basic() const;

  // The current document, replaced by a new empty one; null until the first.
  Document& NewDocument(int16_t rulerUnits);
  // The document window is closed: no document until the next. False when none was open.
  bool CloseDocument();
  Document* document() { return document_.get(); }
  PreferenceStore& preferences() { return preferences_; }
  Keyboard& keyboard() { return keyboard_; }
  // The current document's window.
  DocumentView& view() { return view_; }
  // One redraw pass of the view, if anything waits to be redrawn: the areas are cleared and
  // every active annotator is asked to draw; what is invalidated meanwhile waits for the next
  // pass, so a plug-in that invalidates while it draws cannot keep the host redrawing. Answers
  // whether a pass was made.
  bool RedrawView();

  // Edit > Undo and Edit > Redo of the current document, then the notifications they cause.
  // False when there is nothing to undo or redo (the command is disabled).
  bool Undo();
  bool Redo();
  // The Edit menu's texts, e.g. "Undo Tavrix"; empty when the command is disabled.
  std::string UndoText() const;
  std::string RedoText() const;
  // Host memory handles given to plug-ins (matching-art results), released through MdMemory.
  BlockStore& memoryHandles() { return memoryHandles_; }

  // The host's notifications go out after a change, once no call into a plug-in is running:
  // never re-entrantly inside one. Each call into a plug-in runs inside a PluginCall.
  class PluginCall {
   public:
    explicit PluginCall(Host& host) : host_(host) { ++host_.callDepth_; }
    ~PluginCall();
    PluginCall(const PluginCall&) = delete;
    PluginCall& operator=(const PluginCall&) = delete;

   private:
    Host& host_;
  };
  void QueueNotification(const char* type);
  // Sends what is queued to every active notifier of its type, unless a plug-in call runs.
  void DeliverNotifications();
  SuiteRegistry& suites() { return suites_; }
  FaultPlan& faults() { return faults_; }
  Registrations& registrations() { return registrations_; }
  BlockStore& blocks() { return blocks_; }
  AlertLog& alerts() { return alerts_; }
  MisuseLog& misuse() { return misuse_; }
  // Whether some plug-in's code is loaded now: a suite call at any other time comes from code
  // that kept a suite past its Unload.
  bool AnyPluginCodeLoaded() const;
  bool HasPlugins() const { return !plugins_.empty(); }
  DialogManager& dialogs() { return dialogs_; }
  std::ostream* console() const { return console_; }
  PathMeasures& measures() { return measures_; }

 private:
  void ArtworkChanged() override;
  // After each outermost call into a plug-in: what it must have given back or left intact.
  void CheckAfterCall();
  void UnitsChanged() override;

  std::ostream* console_;
  SuiteRegistry suites_;
  FaultPlan faults_;
  Registrations registrations_;
  BlockStore blocks_;
  AlertLog alerts_;
  MisuseLog misuse_;
  size_t overrunsSeen_ = 0;
  std::vector<std::unique_ptr<HostedPlugin>> plugins_;
  std::unique_ptr<Document> document_;
  PreferenceStore preferences_;
  Keyboard keyboard_;
  DocumentView view_;
  BlockStore memoryHandles_;
  std::vector<std::string> pending_;
  int callDepth_ = 0;
  bool quit_ = false;
  bool delivering_ = false;
  AIArtHandle nextArtHandle_ = 0x1000;
  PathMeasures measures_;
  // Declared last: its dialogs go first, while the plug-ins they call back are still there.
  DialogManager dialogs_{*this};
};

}  // namespace tavrix::host
