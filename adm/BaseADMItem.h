// Binds one dialog-manager item to one object with virtual operations; the object's address
// rides in the item's user data and the item owns the object.
#pragma once

#include "adm/IADMItem.h"
#include "hostapi/HostTypes.h"

namespace tavrix {

class BaseADMItem : public IADMItem {
 public:
  // Binds an existing item: sets its user data and installs the callbacks. A null item leaves
  // the object unbound.
  BaseADMItem(ADMItemRef ref, int32_t data);
  BaseADMItem(const BaseADMItem&) = delete;
  BaseADMItem& operator=(const BaseADMItem&) = delete;

  virtual ASErr Init() { return kNoErr; }
  virtual void Draw(ADMDrawerRef drawer);
  virtual ASBoolean Track(ADMTrackerRef tracker);
  virtual void Notify(ADMNotifierRef notifier);
  virtual ASBoolean TextToFloat(const char* text, float* value);
  virtual ASBoolean FloatToText(float value, char* text, int32_t textLength);
  virtual void DispatchDraw(ADMDrawerRef drawer) { Draw(drawer); }
  // Detaches from the item and has it destroyed, while the item interface is still held.
  virtual ~BaseADMItem();
  // A new item in the dialog, bound to this object.
  virtual ADMItemRef Create(ADMDialogRef dialog, const ADMRect& bounds, const char* itemType,
                            int32_t itemId);

  int32_t userData;  // the framework never reads it

 private:
  void InstallCallbacks();
};

ASErr OnItemInit(ADMItemRef item) noexcept;
void OnItemDraw(ADMItemRef item, ADMDrawerRef drawer) noexcept;
ASBoolean OnItemTrack(ADMItemRef item, ADMTrackerRef tracker) noexcept;
void OnItemNotify(ADMItemRef item, ADMNotifierRef notifier) noexcept;
void OnItemDestroy(ADMItemRef item) noexcept;
ASBoolean OnItemTextToFloat(ADMItemRef item, const char* text, float* value) noexcept;
ASBoolean OnItemFloatToText(ADMItemRef item, float value, char* text, int32_t length) noexcept;

}  // namespace tavrix
