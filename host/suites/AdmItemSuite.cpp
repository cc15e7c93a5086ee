// ADM Item: every operation a plug-in performs on the items of its dialogs.
#include <cmath>
#include <cstring>

#include "host/Utf16.h"
#include "host/suites/AdmCall.h"
#include "host/suites/HostSuites.h"
#include "hostapi/ADMSuites.h"

namespace tavrix::host {
namespace {

using DM = DialogManager;

// Runs `change` on the item when the reference names a live one.
template <class Change>
void OnItem(ADMItemRef ref, Change&& change) {
  AdmDo([&](DM& dm) {
    if (HostItem* item = dm.Item(ref)) change(dm, *item);
  });
}

template <class Result, class Read>
Result ReadItem(ADMItemRef ref, Result fallback, Read&& read) {
  return AdmCall<Result>(fallback, [&](DM& dm) -> Result {
    HostItem* item = dm.Item(ref);
    return item != nullptr ? read(dm, *item) : fallback;
  });
}

ADMItemRef Create(ADMDialogRef dialog, int32_t itemId, const char* itemType, const ADMRect* bounds,
                  ADMItemInitProc init, ADMUserData userData) {
  return AdmCall<ADMItemRef>(nullptr, [&](DM& dm) -> ADMItemRef {
    HostDialog* d = dm.Dialog(dialog);
    if (d == nullptr || itemType == nullptr || bounds == nullptr) return nullptr;
    return DM::Ref(dm.CreateItem(*d, itemId, itemType, *bounds, init, userData));
  });
}

void Destroy(ADMItemRef ref) {
  OnItem(ref, [](DM& dm, HostItem& item) { dm.DestroyItem(item); });
}

template <class Proc, Proc ItemCallbacks::*slot>
void SetProc(ADMItemRef ref, Proc proc) {
  OnItem(ref, [proc](DM&, HostItem& item) {
    if (!item.destroyed) item.callbacks.*slot = proc;
  });
}

void DefaultDraw(ADMItemRef ref, ADMDrawerRef drawer) {
  OnItem(ref, [drawer](DM& dm, HostItem&) {
    if (HostDrawer* d = dm.Drawer(drawer)) dm.DefaultDraw(*d);
  });
}

ASBoolean DefaultTrack(ADMItemRef ref, ADMTrackerRef) {
  return ReadItem<ASBoolean>(ref, false,
                             [](DM& dm, HostItem& item) { return dm.DefaultTrack(item); });
}

void DefaultNotify(ADMItemRef, ADMNotifierRef) {
  // A person's change is already in the item when its notification goes out.
}

ASBoolean DefaultTextToFloat(ADMItemRef ref, const char* text, float* value) {
  return ReadItem<ASBoolean>(
      ref, false, [&](DM& dm, HostItem& item) { return dm.DefaultTextToFloat(item, text, value); });
}

ASBoolean DefaultFloatToText(ADMItemRef ref, float value, char* text, int32_t length) {
  return ReadItem<ASBoolean>(ref, false, [&](DM& dm, HostItem& item) {
    return dm.DefaultFloatToText(item, value, text, length);
  });
}

void SetUserData(ADMItemRef ref, ADMUserData userData) {
  OnItem(ref, [userData](DM&, HostItem& item) { item.userData = userData; });
}

ADMUserData GetUserData(ADMItemRef ref) {
  return ReadItem<ADMUserData>(ref, nullptr, [](DM&, HostItem& item) { return item.userData; });
}

int32_t GetID(ADMItemRef ref) {
  return ReadItem<int32_t>(ref, 0, [](DM&, HostItem& item) { return item.id; });
}

ADMDialogRef GetDialog(ADMItemRef ref) {
  return ReadItem<ADMDialogRef>(ref, nullptr, [](DM& dm, HostItem& item) {
    return dm.Dialog(DM::Ref(item.dialog)) != nullptr ? DM::Ref(item.dialog) : nullptr;
  });
}

ADMListRef GetList(ADMItemRef ref) {
  return ReadItem<ADMListRef>(ref, nullptr, [](DM&, HostItem& item) {
    return item.list ? DM::Ref(item.list.get()) : nullptr;
  });
}

ADMItemRef GetChildItem(ADMItemRef ref, int32_t childNumber) {
  return ReadItem<ADMItemRef>(ref, nullptr, [childNumber](DM&, HostItem& item) -> ADMItemRef {
    return childNumber == kADMSpinEditTextChild && item.textPart ? DM::Ref(item.textPart.get())
                                                                 : nullptr;
  });
}

void Show(ADMItemRef ref, ASBoolean show) {
  OnItem(ref, [show](DM&, HostItem& item) {
    item.visible = show != 0;
    // A spin shows and hides with its own text part, as a window does with its children.
    if (item.textPart) item.textPart->visible = show != 0;
  });
}

ASBoolean IsVisible(ADMItemRef ref) {
  return ReadItem<ASBoolean>(ref, false, [](DM&, HostItem& item) { return item.visible; });
}

void Enable(ADMItemRef ref, ASBoolean enable) {
  OnItem(ref, [enable](DM&, HostItem& item) {
    item.enabled = enable != 0;
    if (item.textPart) item.textPart->enabled = enable != 0;
  });
}

ASBoolean IsEnabled(ADMItemRef ref) {
  return ReadItem<ASBoolean>(ref, false, [](DM&, HostItem& item) { return item.enabled; });
}

void Move(ADMItemRef ref, int32_t h, int32_t v) {
  OnItem(ref, [h, v](DM&, HostItem& item) {
    const int32_t width = item.bounds.right - item.bounds.left;
    const int32_t height = item.bounds.bottom - item.bounds.top;
    item.bounds = ADMRect{h, v, h + width, v + height};
    if (item.textPart) item.textPart->bounds = item.bounds;
  });
}

void GetBoundsRect(ADMItemRef ref, ADMRect* bounds) {
  OnItem(ref, [bounds](DM&, HostItem& item) {
    if (bounds != nullptr) *bounds = item.bounds;
  });
}

void Invalidate(ADMItemRef ref) {
  OnItem(ref, [](DM& dm, HostItem& item) { dm.Invalidate(item); });
}

void SetTipString(ADMItemRef ref, const char* tip) {
  OnItem(ref, [tip](DM&, HostItem& item) { item.tip = tip != nullptr ? tip : ""; });
}

void SetText(ADMItemRef ref, const char* text) {
  OnItem(ref,
         [text](DM& dm, HostItem& item) { dm.SetItemText(item, text != nullptr ? text : ""); });
}

void GetText(ADMItemRef ref, char* text, int32_t bufferSize) {
  OnItem(ref, [text, bufferSize](DM&, HostItem& item) {
    if (text == nullptr || bufferSize <= 0) return;
    const size_t length = Utf8PrefixLength(item.text, static_cast<size_t>(bufferSize) - 1);
    std::memcpy(text, item.text.data(), length);
    text[length] = '\0';
  });
}

void SetJustify(ADMItemRef ref, int32_t justify) {
  OnItem(ref, [justify](DM&, HostItem& item) { item.justify = justify; });
}

void SetUnits(ADMItemRef ref, int32_t units) {
  OnItem(ref, [units](DM&, HostItem& item) {
    item.units = units;
    if (item.kind == ItemKind::EditField) item.numeric = true;
  });
}

int32_t GetUnits(ADMItemRef ref) {
  return ReadItem<int32_t>(ref, 0, [](DM&, HostItem& item) { return item.units; });
}

void SetPrecision(ADMItemRef ref, int32_t precision) {
  OnItem(ref, [precision](DM&, HostItem& item) {
    item.precision = precision;
    if (item.kind == ItemKind::EditField) item.numeric = true;
  });
}

int32_t GetPrecision(ADMItemRef ref) {
  return ReadItem<int32_t>(ref, 0, [](DM&, HostItem& item) { return item.precision; });
}

void SetBooleanValue(ADMItemRef ref, ASBoolean value) {
  OnItem(ref, [value](DM&, HostItem& item) { item.booleanValue = value != 0; });
}

ASBoolean GetBooleanValue(ADMItemRef ref) {
  return ReadItem<ASBoolean>(ref, false, [](DM&, HostItem& item) { return item.booleanValue; });
}

void SetFloatValue(ADMItemRef ref, float value) {
  OnItem(ref, [value](DM& dm, HostItem& item) { dm.SetItemFloat(item, value); });
}

float GetFloatValue(ADMItemRef ref) {
  return ReadItem<float>(ref, 0.0f, [](DM&, HostItem& item) { return item.floatValue; });
}

void SetIntValue(ADMItemRef ref, int32_t value) {
  SetFloatValue(ref, static_cast<float>(value));
}

int32_t GetIntValue(ADMItemRef ref) {
  return ReadItem<int32_t>(ref, 0, [](DM&, HostItem& item) {
    const float v = item.floatValue;
    if (!std::isfinite(v) || std::fabs(v) >= 2147483520.0f) return int32_t{0};
    return static_cast<int32_t>(std::lround(v));
  });
}

template <float HostItem::*field>
void SetFloatField(ADMItemRef ref, float value) {
  OnItem(ref, [value](DM&, HostItem& item) { item.*field = value; });
}

void SetMinIntValue(ADMItemRef ref, int32_t value) {
  SetFloatField<&HostItem::minValue>(ref, static_cast<float>(value));
}
void SetMaxIntValue(ADMItemRef ref, int32_t value) {
  SetFloatField<&HostItem::maxValue>(ref, static_cast<float>(value));
}

template <float HostItem::*field>
float GetField(ADMItemRef ref) {
  return ReadItem<float>(ref, 0.0f, [](DM&, HostItem& item) { return item.*field; });
}

const ADMItemSuite kItem = {
    &Create,
    &Destroy,
    &SetProc<ADMItemDrawProc, &ItemCallbacks::draw>,
    &SetProc<ADMItemTrackProc, &ItemCallbacks::track>,
    &SetProc<ADMItemNotifyProc, &ItemCallbacks::notify>,
    &SetProc<ADMItemDestroyProc, &ItemCallbacks::destroy>,
    &SetProc<ADMItemTextToFloatProc, &ItemCallbacks::textToFloat>,
    &SetProc<ADMItemFloatToTextProc, &ItemCallbacks::floatToText>,
    &DefaultDraw,
    &DefaultTrack,
    &DefaultNotify,
    &DefaultTextToFloat,
    &DefaultFloatToText,
    &SetUserData,
    &GetUserData,
    &GetID,
    &GetDialog,
    &GetList,
    &GetChildItem,
    &Show,
    &IsVisible,
    &Enable,
    &IsEnabled,
    &Move,
    &GetBoundsRect,
    &Invalidate,
    &SetTipString,
    &SetText,
    &GetText,
    &SetJustify,
    &SetUnits,
    &GetUnits,
    &SetPrecision,
    &GetPrecision,
    &SetBooleanValue,
    &GetBooleanValue,
    &SetIntValue,
    &GetIntValue,
    &SetFloatValue,
    &GetFloatValue,
    &SetMinIntValue,
    &SetMaxIntValue,
    &SetFloatField<&HostItem::minValue>,
    &SetFloatField<&HostItem::maxValue>,
    &SetFloatField<&HostItem::smallStep>,
    &GetField<&HostItem::smallStep>,
    &SetFloatField<&HostItem::largeStep>,
    &GetField<&HostItem::largeStep>,
};

}  // namespace

void InstallAdmItemSuite(SuiteRegistry& suites) {
  suites.Offer(kADMItemSuite, kADMItemSuiteVersion, &kItem);
}

}  // namespace tavrix::host
