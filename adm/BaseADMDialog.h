// Binds one dialog-manager dialog to one object with virtual operations. The object's address
// rides in the dialog's user data; free callback functions find it there.
#pragma once

#include "adm/IADMDialog.h"
#include "hostapi/HostTypes.h"

namespace tavrix {

class BaseADMDialog : public IADMDialog {
 public:
  BaseADMDialog() : IADMDialog(nullptr), isModal(0), userData(0) {}
  BaseADMDialog(const BaseADMDialog&) = delete;
  BaseADMDialog& operator=(const BaseADMDialog&) = delete;

  // Installs the draw, track, notify and destroy callbacks; a derived Init calls this first.
  virtual ASErr Init();
  virtual void Draw(ADMDrawerRef drawer);
  virtual ASBoolean Track(ADMTrackerRef tracker);
  virtual void Notify(ADMNotifierRef notifier);
  // The dialog manager is destroying the dialog.
  virtual void Destroy() {}
  // A non-modal object still bound detaches from its dialog and has it destroyed.
  virtual ~BaseADMDialog();
  // A non-modal dialog from the plug-in's resource; Init runs before this returns. The options
  // word is accepted and not passed on.
  virtual ADMDialogRef Create(SPPluginRef plugin, const char* name, int32_t resourceId,
                              int32_t style, int32_t options);
  // Runs the dialog modally; the object outlives the run, detached.
  virtual int32_t Modal(SPPluginRef plugin, const char* name, int32_t resourceId, int32_t style,
                        int32_t options);

  int32_t isModal;
  int32_t userData;  // the framework never reads it
};

// The callbacks, as the dialog manager calls them.
ASErr OnDialogInit(ADMDialogRef dialog) noexcept;
void OnDialogDraw(ADMDialogRef dialog, ADMDrawerRef drawer) noexcept;
ASBoolean OnDialogTrack(ADMDialogRef dialog, ADMTrackerRef tracker) noexcept;
void OnDialogNotify(ADMDialogRef dialog, ADMNotifierRef notifier) noexcept;
void OnDialogDestroy(ADMDialogRef dialog) noexcept;

}  // namespace tavrix
