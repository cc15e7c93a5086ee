// The dialog manager's suites ("ADM").
#pragma once

#include "ADMTypes.h"
#include "HostTypes.h"

// The characters ValueToText writes at most, before its terminating NUL.
inline constexpr int32_t kADMValueTextLength = 63;

struct ADMBasicSuite {
  // Entry `index` of the string list `base` of the plug-in's string table (string number
  // base + index), as UTF-8. bufferSize counts the terminating NUL: a longer text is cut at a
  // character boundary, never written past the buffer.
  ASErr (*GetIndexString)(SPPluginRef plugin, int32_t base, int32_t index, char* buffer,
                          int32_t bufferSize);
  void (*ErrorAlert)(const char* text);
  void (*AboutBox)(SPPluginRef plugin, const char* text1, const char* text2);
  // `value` in points (degrees for kADMDegreeUnits) as text in `unit` with `precision`
  // decimals, and the unit's abbreviation when appendUnit. The buffer holds
  // kADMValueTextLength characters and the terminating NUL; a longer text is cut.
  void (*ValueToText)(float value, char* buffer, int32_t unit, int32_t precision,
                      ASBoolean appendUnit);
  // What a person typed, in `unit` unless the text names its own; false leaves *value as it was.
  ASBoolean (*TextToValue)(const char* text, float* value, int32_t unit);
  // The unit that kADMAppUnits stands for now; any other code answers itself.
  int32_t (*GetConcreteUnits)(int32_t unit);
};
inline constexpr char kADMBasicSuite[] = "ADM Basic Suite";
inline constexpr int32_t kADMBasicSuiteVersion = 2;

struct ADMDialogSuite {
  // Builds a non-modal dialog from the plug-in's dialog resource; `init` runs, with the user
  // data already set, before Create returns. Null when the dialog cannot be built.
  ADMDialogRef (*Create)(SPPluginRef plugin, const char* name, int32_t resourceId, int32_t style,
                         ADMDialogInitProc init, ADMUserData userData);
  // Builds the dialog, runs it until it is dismissed, destroys it and answers its result.
  int32_t (*Modal)(SPPluginRef plugin, const char* name, int32_t resourceId, int32_t style,
                   ADMDialogInitProc init, ADMUserData userData);
  void (*EndModal)(ADMDialogRef dialog, int32_t result);
  // Destroys every item (each item's destroy callback), then calls the dialog's. Asking again
  // for a dialog that is being or has been destroyed has no further effect.
  void (*Destroy)(ADMDialogRef dialog);

  void (*SetDrawProc)(ADMDialogRef dialog, ADMDialogDrawProc proc);
  void (*SetTrackProc)(ADMDialogRef dialog, ADMDialogTrackProc proc);
  void (*SetNotifyProc)(ADMDialogRef dialog, ADMDialogNotifyProc proc);
  void (*SetDestroyProc)(ADMDialogRef dialog, ADMDialogDestroyProc proc);
  void (*DefaultDraw)(ADMDialogRef dialog, ADMDrawerRef drawer);
  ASBoolean (*DefaultTrack)(ADMDialogRef dialog, ADMTrackerRef tracker);
  void (*DefaultNotify)(ADMDialogRef dialog, ADMNotifierRef notifier);

  void (*SetUserData)(ADMDialogRef dialog, ADMUserData userData);
  ADMUserData (*GetUserData)(ADMDialogRef dialog);
  SPPluginRef (*GetPluginRef)(ADMDialogRef dialog);

  void (*Show)(ADMDialogRef dialog, ASBoolean show);
  ASBoolean (*IsVisible)(ADMDialogRef dialog);
  void (*GetBoundsRect)(ADMDialogRef dialog, ADMRect* bounds);
  void (*SetBoundsRect)(ADMDialogRef dialog, const ADMRect* bounds);
  void (*Move)(ADMDialogRef dialog, int32_t h, int32_t v);
  // The item with a resource id; kADMFlyoutMenuItemID for a palette's flyout menu.
  ADMItemRef (*GetItem)(ADMDialogRef dialog, int32_t itemId);
};
inline constexpr char kADMDialogSuite[] = "ADM Dialog Suite";
inline constexpr int32_t kADMDialogSuiteVersion = 3;

// The bytes a docking group's name is read into, its terminating NUL included.
inline constexpr int32_t kADMDialogGroupNameSize = 32;

struct ADMDialogGroupSuite {
  // The docking group a palette belongs to, and its position code within it. The name is
  // copied into the caller's buffer of kADMDialogGroupNameSize bytes, cut to fit with its NUL.
  ASErr (*GetDialogGroupInfo)(ADMDialogRef dialog, char* groupName, int32_t* positionCode);
  ASErr (*SetDialogGroupInfo)(ADMDialogRef dialog, const char* groupName, int32_t positionCode);
};
inline constexpr char kADMDialogGroupSuite[] = "ADM Dialog Group Suite";
inline constexpr int32_t kADMDialogGroupSuiteVersion = 1;

struct ADMDrawerSuite {
  void (*GetBoundsRect)(ADMDrawerRef drawer, ADMRect* bounds);
  void (*SetADMColor)(ADMDrawerRef drawer, int32_t color);
  void (*SetDrawMode)(ADMDrawerRef drawer, int32_t mode);
  void (*DrawLine)(ADMDrawerRef drawer, const ADMPoint* start, const ADMPoint* end);
  void (*FillPolygon)(ADMDrawerRef drawer, const ADMPoint* points, int32_t count);
  void (*FillRect)(ADMDrawerRef drawer, const ADMRect* rect);
  // A drawer on a host drawing port (an annotation pass's), clipped to `bounds`.
  ADMDrawerRef (*Create)(AIPortRef port, const ADMRect* bounds, int32_t font);
  void (*Release)(ADMDrawerRef drawer);
};
inline constexpr char kADMDrawerSuite[] = "ADM Drawer Suite";
inline constexpr int32_t kADMDrawerSuiteVersion = 3;

struct ADMEntrySuite {
  // Zero-based position in its list.
  int32_t (*GetIndex)(ADMEntryRef entry);
  int32_t (*GetID)(ADMEntryRef entry);
  void (*Enable)(ADMEntryRef entry, ASBoolean enable);
  ASBoolean (*IsEnabled)(ADMEntryRef entry);
  void (*Check)(ADMEntryRef entry, ASBoolean check);
  ASBoolean (*IsChecked)(ADMEntryRef entry);
};
inline constexpr char kADMEntrySuite[] = "ADM Entry Suite";
inline constexpr int32_t kADMEntrySuiteVersion = 2;

struct ADMIconSuite {};
inline constexpr char kADMIconSuite[] = "ADM Icon Suite";
inline constexpr int32_t kADMIconSuiteVersion = 1;

struct ADMItemSuite {
  ADMItemRef (*Create)(ADMDialogRef dialog, int32_t itemId, const char* itemType,
                       const ADMRect* bounds, ADMItemInitProc init, ADMUserData userData);
  // Calls the item's destroy callback; asking again has no further effect.
  void (*Destroy)(ADMItemRef item);

  void (*SetDrawProc)(ADMItemRef item, ADMItemDrawProc proc);
  void (*SetTrackProc)(ADMItemRef item, ADMItemTrackProc proc);
  void (*SetNotifyProc)(ADMItemRef item, ADMItemNotifyProc proc);
  void (*SetDestroyProc)(ADMItemRef item, ADMItemDestroyProc proc);
  void (*SetTextToFloatProc)(ADMItemRef item, ADMItemTextToFloatProc proc);
  void (*SetFloatToTextProc)(ADMItemRef item, ADMItemFloatToTextProc proc);
  void (*DefaultDraw)(ADMItemRef item, ADMDrawerRef drawer);
  ASBoolean (*DefaultTrack)(ADMItemRef item, ADMTrackerRef tracker);
  void (*DefaultNotify)(ADMItemRef item, ADMNotifierRef notifier);
  ASBoolean (*DefaultTextToFloat)(ADMItemRef item, const char* text, float* value);
  ASBoolean (*DefaultFloatToText)(ADMItemRef item, float value, char* text, int32_t textLength);

  void (*SetUserData)(ADMItemRef item, ADMUserData userData);
  ADMUserData (*GetUserData)(ADMItemRef item);
  int32_t (*GetID)(ADMItemRef item);
  ADMDialogRef (*GetDialog)(ADMItemRef item);
  ADMListRef (*GetList)(ADMItemRef item);
  ADMItemRef (*GetChildItem)(ADMItemRef item, int32_t childNumber);

  void (*Show)(ADMItemRef item, ASBoolean show);
  ASBoolean (*IsVisible)(ADMItemRef item);
  void (*Enable)(ADMItemRef item, ASBoolean enable);
  ASBoolean (*IsEnabled)(ADMItemRef item);
  void (*Move)(ADMItemRef item, int32_t h, int32_t v);
  void (*GetBoundsRect)(ADMItemRef item, ADMRect* bounds);
  // Redraws the item now, through its draw callback.
  void (*Invalidate)(ADMItemRef item);
  void (*SetTipString)(ADMItemRef item, const char* tip);

  void (*SetText)(ADMItemRef item, const char* text);
  // Copies the text into the buffer (bufferSize counts the NUL), cut if it is longer.
  void (*GetText)(ADMItemRef item, char* text, int32_t bufferSize);
  void (*SetJustify)(ADMItemRef item, int32_t justify);
  void (*SetUnits)(ADMItemRef item, int32_t units);
  int32_t (*GetUnits)(ADMItemRef item);
  void (*SetPrecision)(ADMItemRef item, int32_t precision);
  int32_t (*GetPrecision)(ADMItemRef item);

  void (*SetBooleanValue)(ADMItemRef item, ASBoolean value);
  ASBoolean (*GetBooleanValue)(ADMItemRef item);
  void (*SetIntValue)(ADMItemRef item, int32_t value);
  int32_t (*GetIntValue)(ADMItemRef item);
  void (*SetFloatValue)(ADMItemRef item, float value);
  float (*GetFloatValue)(ADMItemRef item);
  void (*SetMinIntValue)(ADMItemRef item, int32_t value);
  void (*SetMaxIntValue)(ADMItemRef item, int32_t value);
  void (*SetMinFloatValue)(ADMItemRef item, float value);
  void (*SetMaxFloatValue)(ADMItemRef item, float value);
  void (*SetSmallIncrement)(ADMItemRef item, float increment);
  float (*GetSmallIncrement)(ADMItemRef item);
  void (*SetLargeIncrement)(ADMItemRef item, float increment);
  float (*GetLargeIncrement)(ADMItemRef item);
};
inline constexpr char kADMItemSuite[] = "ADM Item Suite";
inline constexpr int32_t kADMItemSuiteVersion = 4;

struct ADMListSuite {
  // Fills the list with the entries of the plug-in's menu resource.
  void (*SetMenuID)(ADMListRef list, int32_t menuResourceId);
  // The entry with that menu number (its id in the menu resource); null when there is none.
  ADMEntryRef (*GetEntry)(ADMListRef list, int32_t menuNumber);
  // The entry last chosen; null when none has been.
  ADMEntryRef (*GetActiveEntry)(ADMListRef list);
  int32_t (*NumberOfEntries)(ADMListRef list);
  ADMEntryRef (*IndexEntry)(ADMListRef list, int32_t index);
};
inline constexpr char kADMListSuite[] = "ADM List Suite";
inline constexpr int32_t kADMListSuiteVersion = 1;

struct ADMNotifierSuite {
  ASBoolean (*IsNotifierType)(ADMNotifierRef notifier, const char* type);
  ADMItemRef (*GetItem)(ADMNotifierRef notifier);
};
inline constexpr char kADMNotifierSuite[] = "ADM Notifier Suite";
inline constexpr int32_t kADMNotifierSuiteVersion = 1;

struct ADMTrackerSuite {
  ASBoolean (*TestAction)(ADMTrackerRef tracker, int32_t action);
  // True when every key of the mask is held.
  ASBoolean (*TestModifier)(ADMTrackerRef tracker, int32_t modifierMask);
  void (*GetPoint)(ADMTrackerRef tracker, ADMPoint* point);
};
inline constexpr char kADMTrackerSuite[] = "ADM Tracker Suite";
inline constexpr int32_t kADMTrackerSuiteVersion = 1;
