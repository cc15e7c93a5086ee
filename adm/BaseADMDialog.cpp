#include "adm/BaseADMDialog.h"

#include "adm/CallbackGuard.h"
#include "core/SuiteTable.h"

namespace tavrix {
namespace {

BaseADMDialog* WrapperOf(ADMDialogRef dialog) {
  if (sADMDialog == nullptr) return nullptr;
  return static_cast<BaseADMDialog*>(ADMDialog().GetUserData(dialog));
}

}  // namespace

ASErr BaseADMDialog::Init() {
  ADMDialog().SetDrawProc(dialog, &OnDialogDraw);
  ADMDialog().SetTrackProc(dialog, &OnDialogTrack);
  ADMDialog().SetNotifyProc(dialog, &OnDialogNotify);
  ADMDialog().SetDestroyProc(dialog, &OnDialogDestroy);
  return kNoErr;
}

void BaseADMDialog::Draw(ADMDrawerRef drawer) {
  ADMDialog().DefaultDraw(dialog, drawer);
}

ASBoolean BaseADMDialog::Track(ADMTrackerRef tracker) {
  return ADMDialog().DefaultTrack(dialog, tracker);
}

void BaseADMDialog::Notify(ADMNotifierRef notifier) {
  ADMDialog().DefaultNotify(dialog, notifier);
}

BaseADMDialog::~BaseADMDialog() {
  // A modal object and an object whose dialog never came about touch no dialog. The track
  // callback stays: with no user data it finds no object and answers false.
  if (dialog == nullptr || isModal != 0 || sADMDialog == nullptr) return;
  ADMDialog().SetUserData(dialog, nullptr);
  ADMDialog().SetDrawProc(dialog, nullptr);
  ADMDialog().SetNotifyProc(dialog, nullptr);
  ADMDialog().SetDestroyProc(dialog, nullptr);
  ADMDialog().Destroy(dialog);
  dialog = nullptr;
}

ADMDialogRef BaseADMDialog::Create(SPPluginRef plugin, const char* name, int32_t resourceId,
                                   int32_t style, int32_t /*options*/) {
  dialog = ADMDialog().Create(plugin, name, resourceId, style, &OnDialogInit, this);
  return dialog;
}

int32_t BaseADMDialog::Modal(SPPluginRef plugin, const char* name, int32_t resourceId,
                             int32_t style, int32_t /*options*/) {
  isModal = 1;
  return ADMDialog().Modal(plugin, name, resourceId, style, &OnDialogInit, this);
}

ASErr OnDialogInit(ADMDialogRef dialog) noexcept {
  BaseADMDialog* wrapper = WrapperOf(dialog);
  if (wrapper == nullptr) return kBadParameterErr;
  return GuardCallback(PluginOfDialog(dialog), kExTrErr, [&] {
    wrapper->dialog = dialog;
    return wrapper->Init();
  });
}

void OnDialogDraw(ADMDialogRef dialog, ADMDrawerRef drawer) noexcept {
  BaseADMDialog* wrapper = WrapperOf(dialog);
  if (wrapper == nullptr || wrapper->dialog != dialog) return;
  GuardCallback(PluginOfDialog(dialog), [&] { wrapper->Draw(drawer); });
}

ASBoolean OnDialogTrack(ADMDialogRef dialog, ADMTrackerRef tracker) noexcept {
  BaseADMDialog* wrapper = WrapperOf(dialog);
  if (wrapper == nullptr || wrapper->dialog != dialog) return false;
  return GuardCallback(PluginOfDialog(dialog), ASBoolean{false},
                       [&] { return wrapper->Track(tracker); });
}

void OnDialogNotify(ADMDialogRef dialog, ADMNotifierRef notifier) noexcept {
  BaseADMDialog* wrapper = WrapperOf(dialog);
  if (wrapper == nullptr) return;
  GuardCallback(PluginOfDialog(dialog), [&] { wrapper->Notify(notifier); });
}

void OnDialogDestroy(ADMDialogRef dialog) noexcept {
  BaseADMDialog* wrapper = WrapperOf(dialog);
  if (wrapper == nullptr) return;
  GuardCallback(PluginOfDialog(dialog), [&] {
    wrapper->Destroy();
    if (wrapper->isModal != 0) {
      wrapper->dialog = nullptr;
    } else {
      delete wrapper;
    }
  });
}

}  // namespace tavrix
