// The dialog manager's references, geometry and callback types. References are opaque
// pointers; rectangles and points are integer pixels with the vertical axis downwards.
#pragma once

#include "HostTypes.h"

typedef struct ADMDialogOpaque* ADMDialogRef;
typedef struct ADMItemOpaque* ADMItemRef;
typedef struct ADMListOpaque* ADMListRef;
typedef struct ADMEntryOpaque* ADMEntryRef;
typedef struct ADMNotifierOpaque* ADMNotifierRef;
typedef struct ADMTrackerOpaque* ADMTrackerRef;
typedef struct ADMDrawerOpaque* ADMDrawerRef;
typedef void* ADMUserData;

struct ADMRect {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};

struct ADMPoint {
  int32_t h;
  int32_t v;
};

typedef ASErr (*ADMDialogInitProc)(ADMDialogRef dialog);
typedef void (*ADMDialogDrawProc)(ADMDialogRef dialog, ADMDrawerRef drawer);
typedef ASBoolean (*ADMDialogTrackProc)(ADMDialogRef dialog, ADMTrackerRef tracker);
typedef void (*ADMDialogNotifyProc)(ADMDialogRef dialog, ADMNotifierRef notifier);
typedef void (*ADMDialogDestroyProc)(ADMDialogRef dialog);

typedef ASErr (*ADMItemInitProc)(ADMItemRef item);
typedef void (*ADMItemDrawProc)(ADMItemRef item, ADMDrawerRef drawer);
typedef ASBoolean (*ADMItemTrackProc)(ADMItemRef item, ADMTrackerRef tracker);
typedef void (*ADMItemNotifyProc)(ADMItemRef item, ADMNotifierRef notifier);
typedef void (*ADMItemDestroyProc)(ADMItemRef item);
typedef ASBoolean (*ADMItemTextToFloatProc)(ADMItemRef item, const char* text, float* value);
typedef ASBoolean (*ADMItemFloatToTextProc)(ADMItemRef item, float value, char* text,
                                            int32_t textLength);

// Dialog styles.
inline constexpr int32_t kADMModalDialogStyle = 0;
inline constexpr int32_t kADMFloatingDialogStyle = 2;
inline constexpr int32_t kADMTabbedFloatingDialogStyle = 3;  // a palette that docks with others

// The flyout menu of a floating palette, as an item of its dialog.
inline constexpr int32_t kADMFlyoutMenuItemID = -5;
// A spin-edit item's own text part, as its child item.
inline constexpr int32_t kADMSpinEditTextChild = 3;

// Notification types.
inline constexpr char kADMUserChangedNotifier[] = "ADM User Changed Notifier";
inline constexpr char kADMIntermediateChangedNotifier[] = "ADM Intermediate Changed Notifier";
inline constexpr char kADMCollapseNotifier[] = "ADM Collapse Notifier";
inline constexpr char kADMExpandNotifier[] = "ADM Expand Notifier";
inline constexpr char kADMShowWindowNotifier[] = "ADM Show Window Notifier";
inline constexpr char kADMHideWindowNotifier[] = "ADM Hide Window Notifier";

// Tracker actions and modifiers.
inline constexpr int32_t kADMButtonDownAction = 2;
inline constexpr int32_t kADMButtonUpAction = 3;
inline constexpr int32_t kADMCommandKeyModifier = 0x40;
inline constexpr int32_t kADMShiftKeyModifier = 0x02;

// Drawing colours and modes.
inline constexpr int32_t kADMBlackColor = 0;
inline constexpr int32_t kADMBackgroundColor = 5;
inline constexpr int32_t kADMNormalMode = 0;
inline constexpr int32_t kADMDialogFont = 2;

// Unit codes of values shown in items.
inline constexpr int32_t kADMNoUnits = 0;
inline constexpr int32_t kADMPointUnits = 1;
inline constexpr int32_t kADMInchUnits = 2;
inline constexpr int32_t kADMMillimeterUnits = 3;
inline constexpr int32_t kADMCentimeterUnits = 4;
inline constexpr int32_t kADMPicaUnits = 5;
inline constexpr int32_t kADMDegreeUnits = 7;
inline constexpr int32_t kADMQUnits = 8;
inline constexpr int32_t kADMPixelUnits = 10;
// Whatever the application's rulers use; ask ADM Basic for the concrete unit.
inline constexpr int32_t kADMAppUnits = 101;

// Text justification.
inline constexpr int32_t kADMLeftJustify = 0;
inline constexpr int32_t kADMCenterJustify = 1;
inline constexpr int32_t kADMRightJustify = 2;
