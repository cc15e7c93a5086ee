// ADM Dialog and ADM Dialog Group.
#include <cstring>

#include "host/Utf16.h"
#include "host/suites/AdmCall.h"
#include "host/suites/HostCall.h"
#include "host/suites/HostSuites.h"
#include "hostapi/ADMSuites.h"

namespace tavrix::host {
namespace {

using DM = DialogManager;

ADMDialogRef Create(SPPluginRef plugin, const char* name, int32_t resourceId, int32_t style,
                    ADMDialogInitProc init, ADMUserData userData) {
  return AdmCall<ADMDialogRef>("ADMDialog.Create", nullptr, [&](DM& dm) -> ADMDialogRef {
    if (Host::Current().faults().Check("ADMDialog.Create") != kNoErr) return nullptr;
    return DM::Ref(
        dm.CreateDialog(plugin, name != nullptr ? name : "", resourceId, style, init, userData));
  });
}

int32_t Modal(SPPluginRef plugin, const char* name, int32_t resourceId, int32_t style,
              ADMDialogInitProc init, ADMUserData userData) {
  return AdmCall<int32_t>("ADMDialog.Modal", -1, [&](DM& dm) {
    return dm.RunModal(plugin, name != nullptr ? name : "", resourceId, style, init, userData);
  });
}

void EndModal(ADMDialogRef ref, int32_t result) {
  AdmDo("ADMDialog.EndModal", [&](DM& dm) {
    if (HostDialog* d = dm.Dialog(ref)) dm.EndModal(*d, result);
  });
}

void Destroy(ADMDialogRef ref) {
  AdmDo("ADMDialog.Destroy", [&](DM& dm) {
    if (HostDialog* d = dm.Dialog(ref)) dm.DestroyDialog(*d);
  });
}

constexpr char kSetDrawProc[] = "ADMDialog.SetDrawProc";
constexpr char kSetTrackProc[] = "ADMDialog.SetTrackProc";
constexpr char kSetNotifyProc[] = "ADMDialog.SetNotifyProc";
constexpr char kSetDestroyProc[] = "ADMDialog.SetDestroyProc";

template <class Proc, Proc DialogCallbacks::*slot, const char* operation>
void SetProc(ADMDialogRef ref, Proc proc) {
  AdmDo(operation, [&](DM& dm) {
    if (HostDialog* d = dm.Dialog(ref)) {
      if (!d->destroyed) d->callbacks.*slot = proc;
    }
  });
}

void DefaultDraw(ADMDialogRef ref, ADMDrawerRef drawer) {
  AdmDo("ADMDialog.DefaultDraw", [&](DM& dm) {
    if (HostDrawer* d = dm.Drawer(drawer); d != nullptr && dm.Dialog(ref) != nullptr)
      dm.DefaultDraw(*d);
  });
}

ASBoolean DefaultTrack(ADMDialogRef ref, ADMTrackerRef) {
  return AdmCall<ASBoolean>("ADMDialog.DefaultTrack", false,
                            [&](DM& dm) { return dm.Dialog(ref) != nullptr; });
}

void DefaultNotify(ADMDialogRef ref, ADMNotifierRef notifier) {
  AdmDo("ADMDialog.DefaultNotify", [&](DM& dm) {
    HostDialog* d = dm.Dialog(ref);
    HostNotifier* n = dm.Notifier(notifier);
    if (d != nullptr && n != nullptr) dm.DefaultDialogNotify(*d, *n);
  });
}

void SetUserData(ADMDialogRef ref, ADMUserData userData) {
  AdmDo("ADMDialog.SetUserData", [&](DM& dm) {
    if (HostDialog* d = dm.Dialog(ref)) d->userData = userData;
  });
}

ADMUserData GetUserData(ADMDialogRef ref) {
  return AdmCall<ADMUserData>("ADMDialog.GetUserData", nullptr, [&](DM& dm) -> ADMUserData {
    HostDialog* d = dm.Dialog(ref);
    return d != nullptr ? d->userData : nullptr;
  });
}

SPPluginRef GetPluginRef(ADMDialogRef ref) {
  return AdmCall<SPPluginRef>("ADMDialog.GetPluginRef", 0, [&](DM& dm) -> SPPluginRef {
    HostDialog* d = dm.Dialog(ref);
    return d != nullptr ? d->plugin : 0;
  });
}

void Show(ADMDialogRef ref, ASBoolean show) {
  AdmDo("ADMDialog.Show", [&](DM& dm) {
    if (HostDialog* d = dm.Dialog(ref)) dm.ShowDialog(*d, show != 0);
  });
}

ASBoolean IsVisible(ADMDialogRef ref) {
  return AdmCall<ASBoolean>("ADMDialog.IsVisible", false, [&](DM& dm) {
    HostDialog* d = dm.Dialog(ref);
    return d != nullptr && d->visible;
  });
}

void GetBoundsRect(ADMDialogRef ref, ADMRect* bounds) {
  AdmDo("ADMDialog.GetBoundsRect", [&](DM& dm) {
    HostDialog* d = dm.Dialog(ref);
    if (d != nullptr && bounds != nullptr) *bounds = d->bounds;
  });
}

void SetBoundsRect(ADMDialogRef ref, const ADMRect* bounds) {
  AdmDo("ADMDialog.SetBoundsRect", [&](DM& dm) {
    HostDialog* d = dm.Dialog(ref);
    if (d != nullptr && bounds != nullptr && bounds->right >= bounds->left &&
        bounds->bottom >= bounds->top) {
      d->bounds = *bounds;
    }
  });
}

void Move(ADMDialogRef ref, int32_t h, int32_t v) {
  AdmDo("ADMDialog.Move", [&](DM& dm) {
    if (HostDialog* d = dm.Dialog(ref)) {
      const int32_t width = d->bounds.right - d->bounds.left;
      const int32_t height = d->bounds.bottom - d->bounds.top;
      d->bounds = ADMRect{h, v, h + width, v + height};
    }
  });
}

ADMItemRef GetItem(ADMDialogRef ref, int32_t itemId) {
  return AdmCall<ADMItemRef>("ADMDialog.GetItem", nullptr, [&](DM& dm) -> ADMItemRef {
    HostDialog* d = dm.Dialog(ref);
    return d != nullptr ? DM::Ref(dm.ItemWithId(*d, itemId)) : nullptr;
  });
}

ASErr GetDialogGroupInfo(ADMDialogRef ref, char* groupName, int32_t* position) {
  return HostCall("ADMDialogGroup.GetDialogGroupInfo", [&](Host& host) {
    HostDialog* d = host.dialogs().Dialog(ref);
    if (d == nullptr || groupName == nullptr || position == nullptr) return kBadParameterErr;
    // The caller's buffer is the interface's fixed size.
    CopyTruncated(d->groupName, groupName, kADMDialogGroupNameSize);
    *position = d->groupPosition;
    return kNoErr;
  });
}

ASErr SetDialogGroupInfo(ADMDialogRef ref, const char* groupName, int32_t position) {
  return HostCall("ADMDialogGroup.SetDialogGroupInfo", [&](Host& host) {
    HostDialog* d = host.dialogs().Dialog(ref);
    if (d == nullptr || groupName == nullptr) return kBadParameterErr;
    d->groupName = groupName;
    d->groupPosition = position;
    return kNoErr;
  });
}

const ADMDialogSuite kDialog = {
    &Create,
    &Modal,
    &EndModal,
    &Destroy,
    &SetProc<ADMDialogDrawProc, &DialogCallbacks::draw, kSetDrawProc>,
    &SetProc<ADMDialogTrackProc, &DialogCallbacks::track, kSetTrackProc>,
    &SetProc<ADMDialogNotifyProc, &DialogCallbacks::notify, kSetNotifyProc>,
    &SetProc<ADMDialogDestroyProc, &DialogCallbacks::destroy, kSetDestroyProc>,
    &DefaultDraw,
    &DefaultTrack,
    &DefaultNotify,
    &SetUserData,
    &GetUserData,
    &GetPluginRef,
    &Show,
    &IsVisible,
    &GetBoundsRect,
    &SetBoundsRect,
    &Move,
    &GetItem,
};

const ADMDialogGroupSuite kDialogGroup = {&GetDialogGroupInfo, &SetDialogGroupInfo};

}  // namespace

void InstallAdmDialogSuites(SuiteRegistry& suites, FaultPlan& faults) {
  suites.Offer(kADMDialogSuite, kADMDialogSuiteVersion, &kDialog);
  suites.Offer(kADMDialogGroupSuite, kADMDialogGroupSuiteVersion, &kDialogGroup);
  for (const char* operation : {"ADMDialog.Create", "ADMDialogGroup.GetDialogGroupInfo",
                                "ADMDialogGroup.SetDialogGroupInfo"}) {
    faults.Register(operation);
  }
}

}  // namespace tavrix::host
