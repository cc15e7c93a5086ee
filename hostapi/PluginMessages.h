// The message records the host passes to PluginMain, and the caller and selector strings.
//
// Field order is fixed. On a 32-bit target the byte offsets are the documented ones (checked
// below); on a 64-bit target the pointers widen and later fields move accordingly.
#pragma once

#include "HostTypes.h"

struct SPBasicSuite;

constexpr int32_t kSPValidMessageCheck = FourCharCode('S', 'P', 'C', 'k');

struct SPMessageData {
  int32_t check;              // 0: kSPValidMessageCheck
  SPPluginRef self;           // 4: the plug-in reference
  void* globals;              // 8: the globals slot, kept by the host between Unload and Reload
  const SPBasicSuite* basic;  // 12: the SP Basic suite
};

// "SP Access" / "Reload", "Unload"
struct SPAccessMessage {
  SPMessageData d;
};

// "SP Interface" / "Startup", "Shutdown", "About"
struct SPInterfaceMessage {
  SPMessageData d;
};

// "AI Menu" / "AI Go", "AI Update"
struct AIMenuMessage {
  SPMessageData d;
  AIMenuItemHandle menuItem;  // 16: the item the message is for
};

// "AI Notifier" / the notification type
struct AINotifierMessage {
  SPMessageData d;
  AINotifierHandle notifier;  // 16: the notifier the message is for
  const char* type;           // 20: the notification type
  void* notifyData;           // 24: type-specific data, or null
};

// "AI Annotation" / "AI Draw"
struct AIAnnotatorMessage {
  SPMessageData d;
  AIAnnotatorHandle annotator;  // 16: the annotator the message is for
  AIDocumentViewHandle view;    // 20: the document view being drawn
  int32_t drawState;            // 24: greater than zero when annotations are to be drawn
  int32_t invalidCount;         // 28: number of rectangles in invalidRects
  const void* invalidRects;     // 32: the view rectangles being redrawn
  AIPortRef port;               // 36: the drawing port for this pass
};

// Caller and selector strings.
inline constexpr char kSPAccessCaller[] = "SP Access";
inline constexpr char kSPAccessUnloadSelector[] = "Unload";
inline constexpr char kSPAccessReloadSelector[] = "Reload";
inline constexpr char kSPInterfaceCaller[] = "SP Interface";
inline constexpr char kSPInterfaceStartupSelector[] = "Startup";
inline constexpr char kSPInterfaceShutdownSelector[] = "Shutdown";
inline constexpr char kSPInterfaceAboutSelector[] = "About";
inline constexpr char kCallerAIMenu[] = "AI Menu";
inline constexpr char kSelectorAIGoMenuItem[] = "AI Go";
inline constexpr char kSelectorAIUpdateMenuItem[] = "AI Update";
inline constexpr char kCallerAINotifier[] = "AI Notifier";
inline constexpr char kCallerAIAnnotation[] = "AI Annotation";
inline constexpr char kSelectorAIDrawAnnotation[] = "AI Draw";

// Notification types.
inline constexpr char kAIApplicationStartedNotifier[] = "AI Application Started Notifier";
inline constexpr char kAIArtSelectionChangedNotifier[] = "AI Art Selection Changed Notifier";
inline constexpr char kAIPreferenceChangedNotifier[] = "AI Preference Changed Notifier";

// The exported entry point every plug-in provides.
typedef ASErr (*PluginMainProc)(const char* caller, const char* selector, void* message);

#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(offsetof(SPMessageData, self) == 4, "plug-in reference at 4");
static_assert(offsetof(SPMessageData, globals) == 8, "globals slot at 8");
static_assert(offsetof(SPMessageData, basic) == 12, "SP Basic suite at 12");
static_assert(offsetof(AIMenuMessage, menuItem) == 16, "menu item at 16");
static_assert(offsetof(AINotifierMessage, notifier) == 16, "notifier at 16");
static_assert(offsetof(AIAnnotatorMessage, annotator) == 16, "annotator at 16");
static_assert(offsetof(AIAnnotatorMessage, drawState) == 24, "draw state at 24");
static_assert(offsetof(AIAnnotatorMessage, port) == 36, "drawing port at 36");
#endif
