// The stand-in dialog manager: dialogs and items built from a plug-in's own dialog resource,
// their values and texts, the callbacks a plug-in installs, and the notifiers, trackers and
// drawers it hands to them. The ADM suites are thin C shims over this class; people's actions
// are in DialogUser.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/dialog/DialogObjects.h"

namespace tavrix::host {

class Host;

class DialogManager {
 public:
  explicit DialogManager(Host& host) : host_(host) {}
  Host& host() const { return host_; }
  ~DialogManager();
  DialogManager(const DialogManager&) = delete;
  DialogManager& operator=(const DialogManager&) = delete;

  // References handed to plug-ins, checked on the way back: a stale or foreign reference finds
  // nothing and is recorded as misuse, so a plug-in's mistake never touches freed memory.
  // Dialogs and items stay allocated after they go, so their addresses serve as references.
  // Entries, notifiers, trackers and drawers live for a while only and their memory is reused
  // (a notifier is on the stack); their references are serial numbers never given out twice.
  HostDialog* Dialog(ADMDialogRef ref) const;
  HostItem* Item(ADMItemRef ref) const;
  HostList* List(ADMListRef ref) const;
  HostEntry* Entry(ADMEntryRef ref) const;
  HostNotifier* Notifier(ADMNotifierRef ref) const;
  HostTracker* Tracker(ADMTrackerRef ref) const;
  HostDrawer* Drawer(ADMDrawerRef ref) const;
  // Dialogs not yet destroyed, of every plug-in.
  size_t LiveDialogCount() const { return liveDialogs_.size(); }
  // Releases the port drawers a plug-in did not; answers how many there were.
  size_t ReleaseLeftoverDrawers();
  static ADMDialogRef Ref(HostDialog* dialog) { return reinterpret_cast<ADMDialogRef>(dialog); }
  static ADMItemRef Ref(HostItem* item) { return reinterpret_cast<ADMItemRef>(item); }
  static ADMListRef Ref(HostList* list) { return reinterpret_cast<ADMListRef>(list); }
  static ADMEntryRef Ref(const HostEntry* entry) {
    return entry != nullptr ? reinterpret_cast<ADMEntryRef>(entry->serial) : nullptr;
  }
  // Entries, notifiers, trackers and drawers the plug-in can reach now.
  size_t LiveSerialCount() const { return leases_.size(); }

  // Dialogs. Create answers null when the plug-in has no such dialog resource; the init
  // callback runs inside, with the user data set.
  HostDialog* CreateDialog(SPPluginRef plugin, const std::string& name, int32_t resourceId,
                           int32_t style, ADMDialogInitProc init, ADMUserData userData);
  int32_t RunModal(SPPluginRef plugin, const std::string& name, int32_t resourceId, int32_t style,
                   ADMDialogInitProc init, ADMUserData userData);
  void EndModal(HostDialog& dialog, int32_t result);
  // What runs while a modal dialog is up, in place of a person; none: it ends at once.
  void SetModalDriver(std::function<void(HostDialog&)> driver) { modalDriver_ = std::move(driver); }
  // Destroys every item, then the dialog; a second request while or after it goes does nothing.
  void DestroyDialog(HostDialog& dialog);
  // The host's windows go: every dialog still open is destroyed.
  void DestroyAll();
  // Changes visibility and sends the window notification; during init the notification waits
  // until init is done, so that it never reaches a dialog whose items do not exist yet.
  void ShowDialog(HostDialog& dialog, bool show);

  HostItem* CreateItem(HostDialog& dialog, int32_t id, const std::string& type,
                       const ADMRect& bounds, ADMItemInitProc init, ADMUserData userData);
  void DestroyItem(HostItem& item);
  HostItem* ItemWithId(HostDialog& dialog, int32_t id) const;

  // Events, through the plug-in's callbacks or the defaults.
  void NotifyItem(HostItem& item, const std::string& type);
  void NotifyDialog(HostDialog& dialog, const std::string& type);
  bool TrackItem(HostItem& item, int32_t action, int32_t modifiers);
  // Redraws through the draw callback (or the default); the operations are kept in lastDrawing.
  void DrawItem(HostItem& item);
  // A redraw request: drawn only while the item can be seen.
  void Invalidate(HostItem& item);

  // The defaults a callback may fall back on.
  void DefaultDraw(HostDrawer& drawer) const;
  bool DefaultTrack(const HostItem& item) const { return item.enabled && item.visible; }
  void DefaultDialogNotify(HostDialog& dialog, const HostNotifier& notifier);
  bool DefaultTextToFloat(const HostItem& item, const char* text, float* value) const;
  bool DefaultFloatToText(const HostItem& item, float value, char* text, int32_t length) const;

  // Values and texts as the item shows them, through its conversion callbacks when it has them.
  void SetItemFloat(HostItem& item, float value);
  void SetItemText(HostItem& item, const std::string& text);
  std::optional<float> ParseItemText(HostItem& item, const std::string& text);
  std::string FormatItemValue(HostItem& item, float value);

  // Lists of menu entries, from the plug-in's menu resource.
  void FillList(HostList& list, SPPluginRef plugin, int32_t menuId);
  // Zero-based position of an entry in its list.
  int32_t EntryIndex(const HostEntry& entry) const;

  // Drawers on host drawing ports (annotation passes). What one draws on the document window's
  // port goes to the view as it is drawn; releasing the drawer lets go of the rest.
  ADMDrawerRef CreatePortDrawer(AIPortRef port, const ADMRect& bounds);
  // A drawer given to a draw callback is not the plug-in's to release: that does nothing.
  void ReleaseDrawer(ADMDrawerRef ref);
  // The draw operations held now: the items' last drawings and the port drawers not released.
  size_t HeldDrawOperations() const;

  // The unit that the application unit code stands for.
  int32_t applicationUnits() const { return applicationUnits_; }
  // The unit a code stands for: the application's for kADMAppUnits, itself otherwise.
  int32_t ConcreteUnits(int32_t units) const {
    return units == kADMAppUnits ? applicationUnits_ : units;
  }
  void SetApplicationUnits(int32_t units) { applicationUnits_ = units; }

  // Every call a plug-in makes into the dialog manager's suites is counted, so a test can tell
  // that an operation made none.
  void CountCall() { ++calls_; }
  int64_t calls() const { return calls_; }

  // For people and tests.
  std::vector<HostDialog*> OpenDialogs() const;
  HostDialog* DialogNamed(const std::string& name) const;

 private:
  enum class SerialKind { Entry, Notifier, Tracker, Drawer };
  struct Lease {
    SerialKind kind;
    void* object;
    const HostList* list;  // an entry's
  };
  void EnsurePluginLoaded(SPPluginRef plugin);
  void Forget(HostItem& item);
  void RetireEntries(HostList& list);
  uintptr_t Lend(SerialKind kind, void* object, const HostList* list = nullptr);
  void Retire(uintptr_t serial) { leases_.erase(serial); }
  // The object a serial names, or null (recorded as misuse unless the reference is null).
  const Lease* Find(SerialKind kind, const void* ref) const;
  // Runs `call` with a serial for `object`, valid only until `call` returns.
  template <class Call>
  auto WithLease(SerialKind kind, void* object, Call&& call);

  Host& host_;
  std::vector<std::unique_ptr<HostDialog>> dialogs_;
  // Destroyed dialogs stay allocated so that a stale reference never meets a new object.
  std::vector<std::unique_ptr<HostDialog>> graveyard_;
  std::set<const void*> liveDialogs_;
  std::set<const void*> liveItems_;
  std::set<const void*> liveLists_;
  std::unordered_map<uintptr_t, Lease> leases_;
  // Starts past 0, so that no serial is a null reference. Where references are 32 bits wide they
  // may wrap; from then on an unknown serial may be an old one as well as a foreign one.
  uint64_t nextSerial_ = 1;
  bool serialsWrapped_ = false;
  std::map<uintptr_t, std::unique_ptr<HostDrawer>> portDrawers_;
  std::function<void(HostDialog&)> modalDriver_;
  int32_t applicationUnits_ = kADMPointUnits;
  int64_t calls_ = 0;
};

}  // namespace tavrix::host
