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
void OnItem(const char* operation, ADMItemRef ref, Change&& change) {
  AdmDo(operation, [&](DM& dm) {
    if (HostItem* item = dm.Item(ref)) change(dm, *item);
  });
}

template <class Result, class Read>
Result ReadItem(const char* operation, ADMItemRef ref, Result fallback, Read&& read) {
  return AdmCall<Result>(operation, fallback, [&](DM& dm) -> Result {
    HostItem* item = dm.Item(ref);
    return item != nullptr ? read(dm, *item) : fallback;
  });
}

ADMItemRef Create(ADMDialogRef dialog, int32_t itemId, const char* itemType, const ADMRect* bounds,
                  ADMItemInitProc init, ADMUserData userData) {
  return AdmCall<ADMItemRef>("ADMItem.Create", nullptr, [&](DM& dm) -> ADMItemRef {
    HostDialog* d = dm.Dialog(dialog);
    if (d == nullptr || itemType == nullptr || bounds == nullptr) return nullptr;
    return DM::Ref(dm.CreateItem(*d, itemId, itemType, *bounds, init, userData));
  });
}

void Destroy(ADMItemRef ref) {
  OnItem("ADMItem.Destroy", ref, [](DM& dm, HostItem& item) { dm.DestroyItem(item); });
}

// Operation names for the functions made from one template.
constexpr char kSetDrawProc[] = "ADMItem.SetDrawProc";
constexpr char kSetTrackProc[] = "ADMItem.SetTrackProc";
constexpr char kSetNotifyProc[] = "ADMItem.SetNotifyProc";
constexpr char kSetDestroyProc[] = "ADMItem.SetDestroyProc";
constexpr char kSetTextToFloatProc[] = "ADMItem.SetTextToFloatProc";
constexpr char kSetFloatToTextProc[] = "ADMItem.SetFloatToTextProc";
constexpr char kSetMinIntValue[] = "ADMItem.SetMinIntValue";
constexpr char kSetMaxIntValue[] = "ADMItem.SetMaxIntValue";
constexpr char kSetMinFloatValue[] = "ADMItem.SetMinFloatValue";
constexpr char kSetMaxFloatValue[] = "ADMItem.SetMaxFloatValue";
constexpr char kSetSmallIncrement[] = "ADMItem.SetSmallIncrement";
constexpr char kGetSmallIncrement[] = "ADMItem.GetSmallIncrement";
constexpr char kSetLargeIncrement[] = "ADMItem.SetLargeIncrement";
constexpr char kGetLargeIncrement[] = "ADMItem.GetLargeIncrement";

template <class Proc, Proc ItemCallbacks::*slot, const char* operation>
void SetProc(ADMItemRef ref, Proc proc) {
  OnItem(operation, ref, [proc](DM&, HostItem& item) {
    if (!item.destroyed) item.callbacks.*slot = proc;
  });
}

void DefaultDraw(ADMItemRef ref, ADMDrawerRef drawer) {
  OnItem("ADMItem.DefaultDraw", ref, [drawer](DM& dm, HostItem&) {
    if (HostDrawer* d = dm.Drawer(drawer)) dm.DefaultDraw(*d);
  });
}

ASBoolean DefaultTrack(ADMItemRef ref, ADMTrackerRef) {
  return ReadItem<ASBoolean>("ADMItem.DefaultTrack", ref, false,
                             [](DM& dm, HostItem& item) { return dm.DefaultTrack(item); });
}

void DefaultNotify(ADMItemRef, ADMNotifierRef) {
  // A person's change is already in the item when its notification goes out.
}

ASBoolean DefaultTextToFloat(ADMItemRef ref, const char* text, float* value) {
  return ReadItem<ASBoolean>("ADMItem.DefaultTextToFloat", ref, false, [&](DM& dm, HostItem& item) {
    return dm.DefaultTextToFloat(item, text, value);
  });
}

ASBoolean DefaultFloatToText(ADMItemRef ref, float value, char* text, int32_t length) {
  return ReadItem<ASBoolean>("ADMItem.DefaultFloatToText", ref, false, [&](DM& dm, HostItem& item) {
    return dm.DefaultFloatToText(item, value, text, length);
  });
}

void SetUserData(ADMItemRef ref, ADMUserData userData) {
  OnItem("ADMItem.SetUserData", ref, [userData](DM&, HostItem& item) { item.userData = userData; });
}

ADMUserData GetUserData(ADMItemRef ref) {
  return ReadItem<ADMUserData>("ADMItem.GetUserData", ref, nullptr,
                               [](DM&, HostItem& item) { return item.userData; });
}

int32_t GetID(ADMItemRef ref) {
  return ReadItem<int32_t>("ADMItem.GetID", ref, 0, [](DM&, HostItem& item) { return item.id; });
}

ADMDialogRef GetDialog(ADMItemRef ref) {
  return ReadItem<ADMDialogRef>("ADMItem.GetDialog", ref, nullptr, [](DM& dm, HostItem& item) {
    return dm.Dialog(DM::Ref(item.dialog)) != nullptr ? DM::Ref(item.dialog) : nullptr;
  });
}

ADMListRef GetList(ADMItemRef ref) {
  return ReadItem<ADMListRef>("ADMItem.GetList", ref, nullptr, [](DM&, HostItem& item) {
    return item.list ? DM::Ref(item.list.get()) : nullptr;
  });
}

ADMItemRef GetChildItem(ADMItemRef ref, int32_t childNumber) {
  return ReadItem<ADMItemRef>(
      "ADMItem.GetChildItem", ref, nullptr, [childNumber](DM&, HostItem& item) -> ADMItemRef {
        return childNumber == kADMSpinEditTextChild && item.textPart ? DM::Ref(item.textPart.get())
                                                                     : nullptr;
      });
}

void Show(ADMItemRef ref, ASBoolean show) {
  OnItem("ADMItem.Show", ref, [show](DM&, HostItem& item) {
    item.visible = show != 0;
    // A spin shows and hides with its own text part, as a window does with its children.
    if (item.textPart) item.textPart->visible = show != 0;
  });
}

ASBoolean IsVisible(ADMItemRef ref) {
  return ReadItem<ASBoolean>("ADMItem.IsVisible", ref, false,
                             [](DM&, HostItem& item) { return item.visible; });
}

void Enable(ADMItemRef ref, ASBoolean enable) {
  OnItem("ADMItem.Enable", ref, [enable](DM&, HostItem& item) {
    item.enabled = enable != 0;
    if (item.textPart) item.textPart->enabled = enable != 0;
  });
}

ASBoolean IsEnabled(ADMItemRef ref) {
  return ReadItem<ASBoolean>("ADMItem.IsEnabled", ref, false,
                             [](DM&, HostItem& item) { return item.enabled; });
}

void Move(ADMItemRef ref, int32_t h, int32_t v) {
  OnItem("ADMItem.Move", ref, [h, v](DM&, HostItem& item) {
    const int32_t width = item.bounds.right - item.bounds.left;
    const int32_t height = item.bounds.bottom - item.bounds.top;
    item.bounds = ADMRect{h, v, h + width, v + height};
    if (item.textPart) item.textPart->bounds = item.bounds;
  });
}

void GetBoundsRect(ADMItemRef ref, ADMRect* bounds) {
  OnItem("ADMItem.GetBoundsRect", ref, [bounds](DM&, HostItem& item) {
    if (bounds != nullptr) *bounds = item.bounds;
  });
}

void Invalidate(ADMItemRef ref) {
  OnItem("ADMItem.Invalidate", ref, [](DM& dm, HostItem& item) { dm.Invalidate(item); });
}

void SetTipString(ADMItemRef ref, const char* tip) {
  OnItem("ADMItem.SetTipString", ref,
         [tip](DM&, HostItem& item) { item.tip = tip != nullptr ? tip : ""; });
}

void SetText(ADMItemRef ref, const char* text) {
  OnItem("ADMItem.SetText", ref,
         [text](DM& dm, HostItem& item) { dm.SetItemText(item, text != nullptr ? text : ""); });
}

void GetText(ADMItemRef ref, char* text, int32_t bufferSize) {
  OnItem("ADMItem.GetText", ref, [text, bufferSize](DM&, HostItem& item) {
    if (text == nullptr || bufferSize <= 0) return;
    CopyTruncated(item.text, text, static_cast<size_t>(bufferSize));
  });
}

void SetJustify(ADMItemRef ref, int32_t justify) {
  OnItem("ADMItem.SetJustify", ref, [justify](DM&, HostItem& item) { item.justify = justify; });
}

void SetUnits(ADMItemRef ref, int32_t units) {
  OnItem("ADMItem.SetUnits", ref, [units](DM&, HostItem& item) {
    item.units = units;
    if (item.kind == ItemKind::EditField) item.numeric = true;
  });
}

int32_t GetUnits(ADMItemRef ref) {
  return ReadItem<int32_t>("ADMItem.GetUnits", ref, 0,
                           [](DM&, HostItem& item) { return item.units; });
}

void SetPrecision(ADMItemRef ref, int32_t precision) {
  OnItem("ADMItem.SetPrecision", ref, [precision](DM&, HostItem& item) {
    item.precision = precision;
    if (item.kind == ItemKind::EditField) item.numeric = true;
  });
}

int32_t GetPrecision(ADMItemRef ref) {
  return ReadItem<int32_t>("ADMItem.GetPrecision", ref, 0,
                           [](DM&, HostItem& item) { return item.precision; });
}

void SetBooleanValue(ADMItemRef ref, ASBoolean value) {
  OnItem("ADMItem.SetBooleanValue", ref,
         [value](DM&, HostItem& item) { item.booleanValue = value != 0; });
}

ASBoolean GetBooleanValue(ADMItemRef ref) {
  return ReadItem<ASBoolean>("ADMItem.GetBooleanValue", ref, false,
                             [](DM&, HostItem& item) { return item.booleanValue; });
}

void SetItemFloat(const char* operation, ADMItemRef ref, float value) {
  OnItem(operation, ref, [value](DM& dm, HostItem& item) { dm.SetItemFloat(item, value); });
}

float GetFloatValue(ADMItemRef ref) {
  return ReadItem<float>("ADMItem.GetFloatValue", ref, 0.0f,
                         [](DM&, HostItem& item) { return item.floatValue; });
}

void SetFloatValue(ADMItemRef ref, float value) {
  SetItemFloat("ADMItem.SetFloatValue", ref, value);
}

void SetIntValue(ADMItemRef ref, int32_t value) {
  SetItemFloat("ADMItem.SetIntValue", ref, static_cast<float>(value));
}

int32_t GetIntValue(ADMItemRef ref) {
  return ReadItem<int32_t>("ADMItem.GetIntValue", ref, 0, [](DM&, HostItem& item) {
    const float v = item.floatValue;
    if (!std::isfinite(v) || std::fabs(v) >= 2147483520.0f) return int32_t{0};
    return static_cast<int32_t>(std::lround(v));
  });
}

template <float HostItem::*field, const char* operation>
void SetFloatField(ADMItemRef ref, float value) {
  OnItem(operation, ref, [value](DM&, HostItem& item) { item.*field = value; });
}

void SetMinIntValue(ADMItemRef ref, int32_t value) {
  SetFloatField<&HostItem::minValue, kSetMinIntValue>(ref, static_cast<float>(value));
}
void SetMaxIntValue(ADMItemRef ref, int32_t value) {
  SetFloatField<&HostItem::maxValue, kSetMaxIntValue>(ref, static_cast<float>(value));
}

template <float HostItem::*field, const char* operation>
float GetField(ADMItemRef ref) {
  return ReadItem<float>(operation, ref, 0.0f, [](DM&, HostItem& item) { return item.*field; });
}

const ADMItemSuite kItem = {
    &Create,
    &Destroy,
    &SetProc<ADMItemDrawProc, &ItemCallbacks::draw, kSetDrawProc>,
    &SetProc<ADMItemTrackProc, &ItemCallbacks::track, kSetTrackProc>,
    &SetProc<ADMItemNotifyProc, &ItemCallbacks::notify, kSetNotifyProc>,
    &SetProc<ADMItemDestroyProc, &ItemCallbacks::destroy, kSetDestroyProc>,
    &SetProc<ADMItemTextToFloatProc, &ItemCallbacks::textToFloat, kSetTextToFloatProc>,
    &SetProc<ADMItemFloatToTextProc, &ItemCallbacks::floatToText, kSetFloatToTextProc>,
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
    &SetFloatField<&HostItem::minValue, kSetMinFloatValue>,
    &SetFloatField<&HostItem::maxValue, kSetMaxFloatValue>,
    &SetFloatField<&HostItem::smallStep, kSetSmallIncrement>,
    &GetField<&HostItem::smallStep, kGetSmallIncrement>,
    &SetFloatField<&HostItem::largeStep, kSetLargeIncrement>,
    &GetField<&HostItem::largeStep, kGetLargeIncrement>,
};

}  // namespace

void InstallAdmItemSuite(SuiteRegistry& suites) {
  suites.Offer(kADMItemSuite, kADMItemSuiteVersion, &kItem);
}

}  // namespace tavrix::host
