// ADM List, Entry, Notifier, Tracker and Drawer: menus in lists, and what the dialog manager
// hands to callbacks.
#include <algorithm>
#include <cstdint>
#include <string>
#include "host/suites/AdmCall.h"
#include "host/suites/HostSuites.h"
#include "hostapi/ADMSuites.h"

namespace tavrix::host {
namespace {

using DM = DialogManager;

// The item that owns a list, so that the list is filled from that item's plug-in.
HostItem* OwnerOf(DM& dm, HostList& list) {
  for (HostDialog* dialog : dm.OpenDialogs()) {
    if (dialog->flyout && dialog->flyout->list.get() == &list) return dialog->flyout.get();
    for (auto& item : dialog->items) {
      if (item->list.get() == &list) return item.get();
    }
  }
  return nullptr;
}

void SetMenuID(ADMListRef ref, int32_t menuId) {
  AdmDo("ADMList.SetMenuID", [&](DM& dm) {
    HostList* list = dm.List(ref);
    HostItem* owner = list != nullptr ? OwnerOf(dm, *list) : nullptr;
    if (owner != nullptr) dm.FillList(*list, owner->dialog->plugin, menuId);
  });
}

ADMEntryRef GetEntry(ADMListRef ref, int32_t menuNumber) {
  return AdmCall<ADMEntryRef>("ADMList.GetEntry", nullptr, [&](DM& dm) -> ADMEntryRef {
    HostList* list = dm.List(ref);
    if (list == nullptr) return nullptr;
    for (HostEntry& entry : list->entries) {
      if (entry.id == menuNumber) return DM::Ref(&entry);
    }
    return nullptr;
  });
}

ADMEntryRef GetActiveEntry(ADMListRef ref) {
  return AdmCall<ADMEntryRef>("ADMList.GetActiveEntry", nullptr, [&](DM& dm) -> ADMEntryRef {
    HostList* list = dm.List(ref);
    if (list == nullptr || list->activeIndex < 0 ||
        static_cast<size_t>(list->activeIndex) >= list->entries.size()) {
      return nullptr;
    }
    return DM::Ref(&list->entries[static_cast<size_t>(list->activeIndex)]);
  });
}

int32_t NumberOfEntries(ADMListRef ref) {
  return AdmCall<int32_t>("ADMList.NumberOfEntries", 0, [&](DM& dm) {
    HostList* list = dm.List(ref);
    return list != nullptr ? static_cast<int32_t>(list->entries.size()) : 0;
  });
}

ADMEntryRef IndexEntry(ADMListRef ref, int32_t index) {
  return AdmCall<ADMEntryRef>("ADMList.IndexEntry", nullptr, [&](DM& dm) -> ADMEntryRef {
    HostList* list = dm.List(ref);
    if (list == nullptr || index < 0 || static_cast<size_t>(index) >= list->entries.size())
      return nullptr;
    return DM::Ref(&list->entries[static_cast<size_t>(index)]);
  });
}

template <class Result, class Read>
Result ReadEntry(const char* operation, ADMEntryRef ref, Result fallback, Read&& read) {
  return AdmCall<Result>(operation, fallback, [&](DM& dm) -> Result {
    HostEntry* entry = dm.Entry(ref);
    return entry != nullptr ? read(*entry) : fallback;
  });
}

template <class Change>
void OnEntry(const char* operation, ADMEntryRef ref, Change&& change) {
  AdmDo(operation, [&](DM& dm) {
    if (HostEntry* entry = dm.Entry(ref)) change(*entry);
  });
}

int32_t EntryIndex(ADMEntryRef ref) {
  return AdmCall<int32_t>("ADMEntry.GetIndex", -1, [&](DM& dm) -> int32_t {
    HostEntry* entry = dm.Entry(ref);
    return entry != nullptr ? dm.EntryIndex(*entry) : -1;
  });
}

int32_t EntryID(ADMEntryRef ref) {
  return ReadEntry<int32_t>("ADMEntry.GetID", ref, 0, [](HostEntry& e) { return e.id; });
}

void EnableEntry(ADMEntryRef ref, ASBoolean enable) {
  OnEntry("ADMEntry.Enable", ref, [enable](HostEntry& e) { e.enabled = enable != 0; });
}

ASBoolean IsEntryEnabled(ADMEntryRef ref) {
  return ReadEntry<ASBoolean>("ADMEntry.IsEnabled", ref, false,
                              [](HostEntry& e) { return e.enabled; });
}

void CheckEntry(ADMEntryRef ref, ASBoolean check) {
  OnEntry("ADMEntry.Check", ref, [check](HostEntry& e) { e.checked = check != 0; });
}

ASBoolean IsEntryChecked(ADMEntryRef ref) {
  return ReadEntry<ASBoolean>("ADMEntry.IsChecked", ref, false,
                              [](HostEntry& e) { return e.checked; });
}

ASBoolean IsNotifierType(ADMNotifierRef ref, const char* type) {
  return AdmCall<ASBoolean>("ADMNotifier.IsNotifierType", false, [&](DM& dm) {
    HostNotifier* notifier = dm.Notifier(ref);
    return notifier != nullptr && type != nullptr && notifier->type == type;
  });
}

ADMItemRef NotifierItem(ADMNotifierRef ref) {
  return AdmCall<ADMItemRef>("ADMNotifier.GetItem", nullptr, [&](DM& dm) -> ADMItemRef {
    HostNotifier* notifier = dm.Notifier(ref);
    return notifier != nullptr ? DM::Ref(notifier->item) : nullptr;
  });
}

ASBoolean TestAction(ADMTrackerRef ref, int32_t action) {
  return AdmCall<ASBoolean>("ADMTracker.TestAction", false, [&](DM& dm) {
    HostTracker* tracker = dm.Tracker(ref);
    return tracker != nullptr && tracker->action == action;
  });
}

ASBoolean TestModifier(ADMTrackerRef ref, int32_t mask) {
  return AdmCall<ASBoolean>("ADMTracker.TestModifier", false, [&](DM& dm) {
    HostTracker* tracker = dm.Tracker(ref);
    return tracker != nullptr && mask != 0 && (tracker->modifiers & mask) == mask;
  });
}

void GetPoint(ADMTrackerRef ref, ADMPoint* point) {
  AdmDo("ADMTracker.GetPoint", [&](DM& dm) {
    HostTracker* tracker = dm.Tracker(ref);
    if (tracker != nullptr && point != nullptr) *point = tracker->point;
  });
}

// A drawer the dialog manager did not give, or already took back: a real one would draw with
// whatever the reference points at, so the call is misuse.
HostDrawer* LentDrawer(DM& dm, const char* operation, ADMDrawerRef ref) {
  HostDrawer* drawer = dm.Drawer(ref);
  if (drawer == nullptr)
    dm.host().misuse().Record(std::string(operation) + " with no drawer the host lent");
  return drawer;
}

template <class Change>
void OnDrawer(const char* operation, ADMDrawerRef ref, Change&& change) {
  AdmDo(operation, [&](DM& dm) {
    if (HostDrawer* drawer = LentDrawer(dm, operation, ref)) change(*drawer);
  });
}

void DrawerBounds(ADMDrawerRef ref, ADMRect* bounds) {
  OnDrawer("ADMDrawer.GetBoundsRect", ref, [bounds](HostDrawer& d) {
    if (bounds != nullptr) *bounds = d.bounds;
  });
}

void SetADMColor(ADMDrawerRef ref, int32_t color) {
  OnDrawer("ADMDrawer.SetADMColor", ref, [color](HostDrawer& d) { d.color = color; });
}

void SetDrawMode(ADMDrawerRef ref, int32_t mode) {
  OnDrawer("ADMDrawer.SetDrawMode", ref, [mode](HostDrawer& d) { d.mode = mode; });
}

void DrawLine(ADMDrawerRef ref, const ADMPoint* start, const ADMPoint* end) {
  AdmDo("ADMDrawer.DrawLine", [&](DM& dm) {
    HostDrawer* d = LentDrawer(dm, "ADMDrawer.DrawLine", ref);
    if (d == nullptr || start == nullptr || end == nullptr) return;
    d->operations.push_back(
        DrawOperation{DrawOperation::Kind::Line, d->color, d->mode, {*start, *end}, {}});
    // A drawer on the document window's port draws into the view at once, as on a screen.
    if (d->port != DocumentView::kPort) return;
    const auto at = [d](const ADMPoint& p) {
      const auto sum = [](int32_t a, int32_t b) {
        return static_cast<int32_t>(std::clamp<int64_t>(int64_t{a} + b, INT32_MIN, INT32_MAX));
      };
      return AIPoint{sum(d->bounds.left, p.h), sum(d->bounds.top, p.v)};
    };
    // A drawer draws inside its bounds only.
    ViewStroke stroke{at(*start), at(*end), d->color};
    const ADMRect& b = d->bounds;
    if (ClipStroke(stroke, AIRect{b.left, b.top, b.right, b.bottom}))
      dm.host().view().DrawLine(stroke.from, stroke.to, stroke.color);
  });
}

void FillPolygon(ADMDrawerRef ref, const ADMPoint* points, int32_t count) {
  OnDrawer("ADMDrawer.FillPolygon", ref, [&](HostDrawer& d) {
    if (points == nullptr || count <= 0 || count > 4096) return;
    d.operations.push_back(DrawOperation{DrawOperation::Kind::FillPolygon,
                                         d.color,
                                         d.mode,
                                         std::vector<ADMPoint>(points, points + count),
                                         {}});
  });
}

void FillRect(ADMDrawerRef ref, const ADMRect* rect) {
  OnDrawer("ADMDrawer.FillRect", ref, [&](HostDrawer& d) {
    if (rect != nullptr)
      d.operations.push_back(
          DrawOperation{DrawOperation::Kind::FillRect, d.color, d.mode, {}, *rect});
  });
}

ADMDrawerRef CreateDrawer(AIPortRef port, const ADMRect* bounds, int32_t) {
  return AdmCall<ADMDrawerRef>("ADMDrawer.Create", nullptr, [&](DM& dm) -> ADMDrawerRef {
    // Out of drawing resources a dialog manager makes none; the fault plan can say so.
    if (dm.host().faults().Check("ADMDrawer.Create") != kNoErr) return nullptr;
    if (bounds == nullptr) return nullptr;
    return dm.CreatePortDrawer(port, *bounds);
  });
}

void ReleaseDrawer(ADMDrawerRef ref) {
  AdmDo("ADMDrawer.Release", [&](DM& dm) {
    if (LentDrawer(dm, "ADMDrawer.Release", ref) != nullptr) dm.ReleaseDrawer(ref);
  });
}

const ADMListSuite kList = {&SetMenuID, &GetEntry, &GetActiveEntry, &NumberOfEntries, &IndexEntry};
const ADMEntrySuite kEntry = {&EntryIndex,     &EntryID,    &EnableEntry,
                              &IsEntryEnabled, &CheckEntry, &IsEntryChecked};
const ADMNotifierSuite kNotifier = {&IsNotifierType, &NotifierItem};
const ADMTrackerSuite kTracker = {&TestAction, &TestModifier, &GetPoint};
const ADMDrawerSuite kDrawer = {&DrawerBounds, &SetADMColor, &SetDrawMode,  &DrawLine,
                                &FillPolygon,  &FillRect,    &CreateDrawer, &ReleaseDrawer};

}  // namespace

void InstallAdmEventSuites(SuiteRegistry& suites, FaultPlan& faults) {
  faults.Register("ADMDrawer.Create");
  suites.Offer(kADMListSuite, kADMListSuiteVersion, &kList);
  suites.Offer(kADMEntrySuite, kADMEntrySuiteVersion, &kEntry);
  suites.Offer(kADMNotifierSuite, kADMNotifierSuiteVersion, &kNotifier);
  suites.Offer(kADMTrackerSuite, kADMTrackerSuiteVersion, &kTracker);
  suites.Offer(kADMDrawerSuite, kADMDrawerSuiteVersion, &kDrawer);
}

}  // namespace tavrix::host
