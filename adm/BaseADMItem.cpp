#include "adm/BaseADMItem.h"

#include "adm/CallbackGuard.h"
#include "core/SuiteTable.h"

namespace tavrix {
namespace {

BaseADMItem* WrapperOf(ADMItemRef item) {
  if (sADMItem == nullptr) return nullptr;
  return static_cast<BaseADMItem*>(ADMItem().GetUserData(item));
}

}  // namespace

BaseADMItem::BaseADMItem(ADMItemRef ref, int32_t data) : IADMItem(ref), userData(data) {
  if (item != nullptr) {
    ADMItem().SetUserData(item, this);
    InstallCallbacks();
  }
}

void BaseADMItem::InstallCallbacks() {
  ADMItem().SetDrawProc(item, &OnItemDraw);
  ADMItem().SetTrackProc(item, &OnItemTrack);
  ADMItem().SetNotifyProc(item, &OnItemNotify);
  ADMItem().SetDestroyProc(item, &OnItemDestroy);
  ADMItem().SetTextToFloatProc(item, &OnItemTextToFloat);
  ADMItem().SetFloatToTextProc(item, &OnItemFloatToText);
}

void BaseADMItem::Draw(ADMDrawerRef drawer) {
  ADMItem().DefaultDraw(item, drawer);
}

ASBoolean BaseADMItem::Track(ADMTrackerRef tracker) {
  return ADMItem().DefaultTrack(item, tracker);
}

void BaseADMItem::Notify(ADMNotifierRef notifier) {
  ADMItem().DefaultNotify(item, notifier);
}

ASBoolean BaseADMItem::TextToFloat(const char* text, float* value) {
  return ADMItem().DefaultTextToFloat(item, text, value);
}

ASBoolean BaseADMItem::FloatToText(float value, char* text, int32_t textLength) {
  return ADMItem().DefaultFloatToText(item, value, text, textLength);
}

BaseADMItem::~BaseADMItem() {
  // Once the plug-in has given the item interface back, the item is none of its business. The
  // track callback stays: with no user data it finds no object and answers false.
  if (item != nullptr && sADMItem != nullptr) {
    ADMItem().SetUserData(item, nullptr);
    ADMItem().SetDrawProc(item, nullptr);
    ADMItem().SetNotifyProc(item, nullptr);
    ADMItem().SetDestroyProc(item, nullptr);
    ADMItem().SetTextToFloatProc(item, nullptr);
    ADMItem().SetFloatToTextProc(item, nullptr);
    ADMItem().Destroy(item);
  }
  item = nullptr;
}

ADMItemRef BaseADMItem::Create(ADMDialogRef dialog, const ADMRect& bounds, const char* itemType,
                               int32_t itemId) {
  item = ADMItem().Create(dialog, itemId, itemType, &bounds, &OnItemInit, this);
  if (item != nullptr) InstallCallbacks();
  return item;
}

ASErr OnItemInit(ADMItemRef item) noexcept {
  BaseADMItem* wrapper = WrapperOf(item);
  if (wrapper == nullptr) return kBadParameterErr;
  return GuardCallback(PluginOfItem(item), kExTrErr, [&] {
    wrapper->item = item;
    return wrapper->Init();
  });
}

void OnItemDraw(ADMItemRef item, ADMDrawerRef drawer) noexcept {
  BaseADMItem* wrapper = WrapperOf(item);
  if (wrapper == nullptr) return;
  GuardCallback(PluginOfItem(item), [&] { wrapper->DispatchDraw(drawer); });
}

ASBoolean OnItemTrack(ADMItemRef item, ADMTrackerRef tracker) noexcept {
  BaseADMItem* wrapper = WrapperOf(item);
  if (wrapper == nullptr) return false;
  return GuardCallback(PluginOfItem(item), ASBoolean{false},
                       [&] { return wrapper->Track(tracker); });
}

void OnItemNotify(ADMItemRef item, ADMNotifierRef notifier) noexcept {
  BaseADMItem* wrapper = WrapperOf(item);
  if (wrapper == nullptr) return;
  GuardCallback(PluginOfItem(item), [&] { wrapper->Notify(notifier); });
}

void OnItemDestroy(ADMItemRef item) noexcept {
  BaseADMItem* wrapper = WrapperOf(item);
  if (wrapper == nullptr) return;
  GuardCallback(PluginOfItem(item), [&] { delete wrapper; });
}

ASBoolean OnItemTextToFloat(ADMItemRef item, const char* text, float* value) noexcept {
  BaseADMItem* wrapper = WrapperOf(item);
  if (wrapper == nullptr) return false;
  return GuardCallback(PluginOfItem(item), ASBoolean{false},
                       [&] { return wrapper->TextToFloat(text, value); });
}

ASBoolean OnItemFloatToText(ADMItemRef item, float value, char* text, int32_t length) noexcept {
  BaseADMItem* wrapper = WrapperOf(item);
  if (wrapper == nullptr) return false;
  return GuardCallback(PluginOfItem(item), ASBoolean{false},
                       [&] { return wrapper->FloatToText(value, text, length); });
}

}  // namespace tavrix
