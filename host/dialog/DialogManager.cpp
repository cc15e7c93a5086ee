#include "host/dialog/DialogManager.h"

#include <algorithm>

#include "host/Host.h"
#include "host/dialog/DialogTemplate.h"

namespace tavrix::host {
namespace {

constexpr uint32_t kVisibleStyle = 0x10000000;
constexpr uint32_t kDisabledStyle = 0x08000000;
constexpr uint32_t kButtonTypeMask = 0xF;
constexpr uint32_t kCheckBox = 2;
constexpr uint32_t kAutoCheckBox = 3;
constexpr uint32_t kGroupBox = 7;
// Where the host puts a new dialog on the screen.
constexpr int32_t kFirstDialogLeft = 40;
constexpr int32_t kFirstDialogTop = 40;

ItemKind KindOf(const std::string& className, uint32_t style) {
  if (className == "EDIT") return ItemKind::EditField;
  if (className == "STATIC") return ItemKind::StaticText;
  if (className == "ADM SPIN EDIT TYPE") return ItemKind::Spin;
  if (className == "ADM PICTURE STATIC TYPE") return ItemKind::Picture;
  if (className == "BUTTON") {
    const uint32_t type = style & kButtonTypeMask;
    if (type == kCheckBox || type == kAutoCheckBox) return ItemKind::CheckBox;
    if (type == kGroupBox) return ItemKind::Separator;
    return ItemKind::Button;
  }
  return ItemKind::Button;
}

}  // namespace

DialogManager::~DialogManager() {
  DestroyAll();
}

void DialogManager::EnsurePluginLoaded(SPPluginRef plugin) {
  if (HostedPlugin* owner = host_.Plugin(plugin)) owner->EnsureLoaded();
}

HostDialog* DialogManager::Dialog(ADMDialogRef ref) const {
  if (liveDialogs_.count(ref)) return reinterpret_cast<HostDialog*>(ref);
  if (ref != nullptr) host_.misuse().Record("a dialog reference was used after its dialog went");
  return nullptr;
}
HostItem* DialogManager::Item(ADMItemRef ref) const {
  if (liveItems_.count(ref)) return reinterpret_cast<HostItem*>(ref);
  if (ref != nullptr) host_.misuse().Record("an item reference was used after its item went");
  return nullptr;
}
HostList* DialogManager::List(ADMListRef ref) const {
  if (liveLists_.count(ref)) return reinterpret_cast<HostList*>(ref);
  if (ref != nullptr) host_.misuse().Record("a list reference was used after its item went");
  return nullptr;
}
HostEntry* DialogManager::Entry(ADMEntryRef ref) const {
  const Lease* lease = Find(SerialKind::Entry, ref);
  return lease != nullptr ? static_cast<HostEntry*>(lease->object) : nullptr;
}
HostNotifier* DialogManager::Notifier(ADMNotifierRef ref) const {
  const Lease* lease = Find(SerialKind::Notifier, ref);
  return lease != nullptr ? static_cast<HostNotifier*>(lease->object) : nullptr;
}
HostTracker* DialogManager::Tracker(ADMTrackerRef ref) const {
  const Lease* lease = Find(SerialKind::Tracker, ref);
  return lease != nullptr ? static_cast<HostTracker*>(lease->object) : nullptr;
}
HostDrawer* DialogManager::Drawer(ADMDrawerRef ref) const {
  const Lease* lease = Find(SerialKind::Drawer, ref);
  return lease != nullptr ? static_cast<HostDrawer*>(lease->object) : nullptr;
}

uintptr_t DialogManager::Lend(SerialKind kind, void* object, const HostList* list) {
  uintptr_t serial = 0;
  // Where references are 32 bits wide the serials wrap after four billion; none still lent is
  // given out again.
  do {
    serial = static_cast<uintptr_t>(nextSerial_++);
    if (serial == 0) serialsWrapped_ = true;
  } while (serial == 0 || leases_.count(serial) != 0);
  leases_.emplace(serial, Lease{kind, object, list});
  return serial;
}

const DialogManager::Lease* DialogManager::Find(SerialKind kind, const void* ref) const {
  const auto serial = reinterpret_cast<uintptr_t>(ref);
  if (serial == 0) return nullptr;
  const auto found = leases_.find(serial);
  if (found != leases_.end() && found->second.kind == kind) return &found->second;
  static const char* const kNames[] = {"an entry", "a notifier", "a tracker", "a drawer"};
  static const char* const kEnds[] = {"its list was filled again or its item went",
                                      "the notify callback it was given to returned",
                                      "the track callback it was given to returned",
                                      "it was released or its draw callback returned"};
  const auto index = static_cast<size_t>(kind);
  const bool given = serialsWrapped_ || serial < nextSerial_;
  if (given && found == leases_.end()) {
    host_.misuse().Record(std::string(kNames[index]) + " reference was used after " + kEnds[index]);
  } else {
    host_.misuse().Record(std::string(kNames[index]) +
                          " reference the host never gave out was used");
  }
  return nullptr;
}

HostDialog* DialogManager::CreateDialog(SPPluginRef plugin, const std::string& name,
                                        int32_t resourceId, int32_t style, ADMDialogInitProc init,
                                        ADMUserData userData) {
  HostedPlugin* owner = host_.Plugin(plugin);
  if (owner == nullptr || resourceId < 0 || resourceId > UINT16_MAX) return nullptr;
  const Resource* resource =
      owner->file().resources().Find(kDialogResourceType, static_cast<uint16_t>(resourceId));
  if (resource == nullptr) return nullptr;
  const DialogTemplate layout =
      ParseDialogTemplate(ByteView{resource->data.data(), resource->data.size()});

  auto dialog = std::make_unique<HostDialog>();
  HostDialog& d = *dialog;
  d.plugin = plugin;
  d.name = name;
  d.resourceId = resourceId;
  d.style = style;
  d.caption = layout.caption;
  const DialogUnitScale scale = ScaleForFont(layout.fontSize);
  d.units = scale;
  const int32_t offset = static_cast<int32_t>(dialogs_.size()) * 20;
  d.bounds = ADMRect{kFirstDialogLeft + offset, kFirstDialogTop + offset,
                     kFirstDialogLeft + offset + scale.ToPixelsX(layout.width),
                     kFirstDialogTop + offset + scale.ToPixelsY(layout.height)};
  // As the resource says; the plug-in may show or hide the dialog while it initialises.
  d.visible = (layout.style & kVisibleStyle) != 0;
  d.userData = userData;
  d.callbacks.init = init;
  for (const ItemTemplate& t : layout.items) {
    auto item = std::make_unique<HostItem>();
    item->dialog = &d;
    item->id = t.id;
    item->className = t.className;
    item->style = t.style;
    item->kind = KindOf(t.className, t.style);
    item->bounds = ADMRect{scale.ToPixelsX(t.x), scale.ToPixelsY(t.y),
                           scale.ToPixelsX(t.x + t.width), scale.ToPixelsY(t.y + t.height)};
    item->text = t.text;
    item->visible = (t.style & kVisibleStyle) != 0;
    item->enabled = (t.style & kDisabledStyle) == 0;
    if (item->kind == ItemKind::Spin) {
      item->text.clear();
      item->numeric = true;
      item->textPart = std::make_unique<HostItem>();
      item->textPart->dialog = &d;
      item->textPart->parent = item.get();
      item->textPart->kind = ItemKind::SpinText;
      item->textPart->className = "EDIT";
      item->textPart->bounds = item->bounds;
      item->textPart->visible = item->visible;
      liveItems_.insert(item->textPart.get());
    }
    liveItems_.insert(item.get());
    d.items.push_back(std::move(item));
  }
  if (IsFloatingStyle(style)) {
    d.flyout = std::make_unique<HostItem>();
    d.flyout->dialog = &d;
    d.flyout->id = kADMFlyoutMenuItemID;
    d.flyout->kind = ItemKind::List;
    d.flyout->className = "FLYOUT";
    d.flyout->list = std::make_unique<HostList>();
    liveLists_.insert(d.flyout->list.get());
    liveItems_.insert(d.flyout.get());
  }
  liveDialogs_.insert(&d);
  dialogs_.push_back(std::move(dialog));
  // While the plug-in has a dialog here, its code must stay where the callbacks point.
  owner->library().Hold();

  Host::PluginCall call(host_);
  if (init != nullptr) {
    d.initializing = true;
    d.initResult = init(Ref(&d));
    d.initializing = false;
  }
  // The window appears once it is built: a visible one is told it is shown, and one hidden
  // during its init that it is hidden.
  if (!d.destroyed && (d.visible || d.pendingShowNotice)) {
    d.pendingShowNotice = false;
    NotifyDialog(d, d.visible ? kADMShowWindowNotifier : kADMHideWindowNotifier);
  }
  return d.destroyed ? nullptr : &d;
}

int32_t DialogManager::RunModal(SPPluginRef plugin, const std::string& name, int32_t resourceId,
                                int32_t style, ADMDialogInitProc init, ADMUserData userData) {
  HostDialog* dialog = CreateDialog(plugin, name, resourceId, style, init, userData);
  if (dialog == nullptr) return -1;
  dialog->modal = true;
  dialog->visible = true;
  try {
    if (modalDriver_ && !dialog->modalEnded) modalDriver_(*dialog);
  } catch (...) {
    // Whatever ends the run, the dialog goes with it: the caller owns a detached object.
    DestroyDialog(*dialog);
    throw;
  }
  const int32_t result = dialog->modalResult;
  DestroyDialog(*dialog);
  return result;
}

void DialogManager::EndModal(HostDialog& dialog, int32_t result) {
  dialog.modalEnded = true;
  dialog.modalResult = result;
}

void DialogManager::ShowDialog(HostDialog& dialog, bool show) {
  if (dialog.visible == show || dialog.destroying) return;
  dialog.visible = show;
  if (dialog.initializing) {
    dialog.pendingShowNotice = true;
    return;
  }
  NotifyDialog(dialog, show ? kADMShowWindowNotifier : kADMHideWindowNotifier);
}

void DialogManager::DestroyItem(HostItem& item) {
  if (item.destroying || item.destroyed) return;
  item.destroying = true;
  Host::PluginCall call(host_);
  if (item.callbacks.destroy != nullptr) item.callbacks.destroy(Ref(&item));
  item.destroyed = true;
  Forget(item);
}

void DialogManager::Forget(HostItem& item) {
  liveItems_.erase(&item);
  if (item.textPart) liveItems_.erase(item.textPart.get());
  if (item.list) {
    liveLists_.erase(item.list.get());
    RetireEntries(*item.list);
  }
}

void DialogManager::RetireEntries(HostList& list) {
  for (HostEntry& entry : list.entries) {
    Retire(entry.serial);
    entry.serial = 0;
  }
}

void DialogManager::DestroyDialog(HostDialog& dialog) {
  if (dialog.destroying || dialog.destroyed) return;
  dialog.destroying = true;
  // The destroy callbacks need the plug-in's suites, even after the host unloaded it.
  EnsurePluginLoaded(dialog.plugin);
  Host::PluginCall call(host_);
  // By index: a destroy callback may not add items, but the vector is not trusted to stay put.
  for (size_t i = 0; i < dialog.items.size(); ++i) DestroyItem(*dialog.items[i]);
  if (dialog.flyout) DestroyItem(*dialog.flyout);
  if (dialog.callbacks.destroy != nullptr) dialog.callbacks.destroy(Ref(&dialog));
  dialog.destroyed = true;
  dialog.visible = false;
  liveDialogs_.erase(&dialog);
  const auto found = std::find_if(dialogs_.begin(), dialogs_.end(),
                                  [&dialog](const auto& d) { return d.get() == &dialog; });
  if (found != dialogs_.end()) {
    graveyard_.push_back(std::move(*found));
    dialogs_.erase(found);
  }
  if (HostedPlugin* owner = host_.Plugin(dialog.plugin)) owner->library().Unhold();
}

void DialogManager::DestroyAll() {
  while (!dialogs_.empty()) DestroyDialog(*dialogs_.front());
}

HostItem* DialogManager::CreateItem(HostDialog& dialog, int32_t id, const std::string& type,
                                    const ADMRect& bounds, ADMItemInitProc init,
                                    ADMUserData userData) {
  if (dialog.destroying || dialog.destroyed) return nullptr;
  auto item = std::make_unique<HostItem>();
  item->dialog = &dialog;
  item->id = id;
  item->className = type;
  item->kind = KindOf(type, 0);
  item->bounds = bounds;
  item->userData = userData;
  item->callbacks.init = init;
  HostItem* created = item.get();
  liveItems_.insert(created);
  dialog.items.push_back(std::move(item));
  if (init != nullptr) {
    Host::PluginCall call(host_);
    init(Ref(created));
  }
  return created;
}

HostItem* DialogManager::ItemWithId(HostDialog& dialog, int32_t id) const {
  if (id == kADMFlyoutMenuItemID) return dialog.flyout.get();
  for (auto& item : dialog.items) {
    if (item->id == id && !item->destroyed) return item.get();
  }
  return nullptr;
}

std::vector<HostDialog*> DialogManager::OpenDialogs() const {
  std::vector<HostDialog*> open;
  for (const auto& dialog : dialogs_) open.push_back(dialog.get());
  return open;
}

HostDialog* DialogManager::DialogNamed(const std::string& name) const {
  for (const auto& dialog : dialogs_) {
    if (dialog->name == name) return dialog.get();
  }
  return nullptr;
}

void DialogManager::FillList(HostList& list, SPPluginRef plugin, int32_t menuId) {
  // The new entries take the old ones' memory: references to the old ones must not reach them.
  RetireEntries(list);
  list.entries.clear();
  list.activeIndex = -1;
  list.menuId = menuId;
  HostedPlugin* owner = host_.Plugin(plugin);
  if (owner == nullptr || menuId < 0 || menuId > UINT16_MAX) return;
  const Resource* menu =
      owner->file().resources().Find(kMenuResourceType, static_cast<uint16_t>(menuId));
  if (menu == nullptr) return;
  for (const MenuEntryTemplate& t :
       ParseMenuTemplate(ByteView{menu->data.data(), menu->data.size()})) {
    HostEntry entry;
    entry.id = t.id;
    entry.text = t.text;
    entry.separator = t.separator;
    list.entries.push_back(std::move(entry));
  }
  for (HostEntry& entry : list.entries) entry.serial = Lend(SerialKind::Entry, &entry, &list);
}

int32_t DialogManager::EntryIndex(const HostEntry& entry) const {
  const auto found = leases_.find(entry.serial);
  if (entry.serial == 0 || found == leases_.end() || found->second.object != &entry) return -1;
  return static_cast<int32_t>(&entry - found->second.list->entries.data());
}

ADMDrawerRef DialogManager::CreatePortDrawer(AIPortRef port, const ADMRect& bounds) {
  auto drawer = std::make_unique<HostDrawer>();
  drawer->port = port;
  drawer->bounds = bounds;
  const uintptr_t serial = Lend(SerialKind::Drawer, drawer.get());
  portDrawers_.emplace(serial, std::move(drawer));
  return reinterpret_cast<ADMDrawerRef>(serial);
}

void DialogManager::ReleaseDrawer(ADMDrawerRef ref) {
  if (Drawer(ref) == nullptr) return;
  const auto found = portDrawers_.find(reinterpret_cast<uintptr_t>(ref));
  if (found == portDrawers_.end()) return;
  Retire(found->first);
  portDrawers_.erase(found);
}

size_t DialogManager::ReleaseLeftoverDrawers() {
  const size_t leftover = portDrawers_.size();
  for (const auto& drawer : portDrawers_) Retire(drawer.first);
  portDrawers_.clear();
  return leftover;
}

size_t DialogManager::HeldDrawOperations() const {
  size_t held = 0;
  for (const auto& drawer : portDrawers_) held += drawer.second->operations.size();
  const auto drawn = [](const HostItem& item) {
    return item.lastDrawing.size() + (item.textPart ? item.textPart->lastDrawing.size() : 0);
  };
  for (const auto* dialogs : {&dialogs_, &graveyard_}) {
    for (const auto& dialog : *dialogs) {
      for (const auto& item : dialog->items) held += drawn(*item);
      if (dialog->flyout) held += drawn(*dialog->flyout);
    }
  }
  return held;
}

}  // namespace tavrix::host
