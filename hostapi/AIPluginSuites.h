// The application's suites that serve a plug-in's own machinery: memory blocks, notifiers,
// menu items, annotators, and the ones a plug-in acquires without calling.
#pragma once

#include "AIArtworkSuites.h"
#include "HostTypes.h"

struct AIBlockSuite {
  // A block that stays valid until disposed, whatever the plug-in's code does in between.
  ASErr (*AllocateBlock)(size_t size, void** block);
  ASErr (*DisposeBlock)(void* block);
};
inline constexpr char kAIBlockSuite[] = "AI Block Suite";
inline constexpr int32_t kAIBlockSuiteVersion = 2;

struct AINotifierSuite {
  ASErr (*AddNotifier)(SPPluginRef plugin, const char* name, const char* type,
                       AINotifierHandle* notifier);
  // An inactive notifier receives no messages.
  ASErr (*SetNotifierActive)(AINotifierHandle notifier, ASBoolean active);
  ASErr (*IsNotifierActive)(AINotifierHandle notifier, AIBoolean* active);
};
inline constexpr char kAINotifierSuite[] = "AI Notifier Suite";
inline constexpr int32_t kAINotifierSuiteVersion = 2;

// Where a new menu item goes and what it shows.
struct AIAddMenuItemData {
  const char* groupName;          // the menu group, e.g. "Tool Palettes"
  const unsigned char* itemText;  // length-prefixed: one length byte, then the characters
};

struct AIMenuSuite {
  ASErr (*AddMenuItem)(SPPluginRef plugin, const char* name, const AIAddMenuItemData* data,
                       int32_t options, AIMenuItemHandle* menuItem);
  // A check mark beside the item.
  ASErr (*CheckItem)(AIMenuItemHandle menuItem, ASBoolean checked);
};
inline constexpr char kAIMenuSuite[] = "AI Menu Suite";
inline constexpr int32_t kAIMenuSuiteVersion = 7;

inline constexpr char kToolPalettesMenuGroup[] = "Tool Palettes";

struct AIAnnotatorSuite {
  ASErr (*AddAnnotator)(SPPluginRef plugin, const char* name, AIAnnotatorHandle* annotator);
  // The host sends annotation messages only while the annotator is active.
  ASErr (*SetAnnotatorActive)(AIAnnotatorHandle annotator, ASBoolean active);
  // Asks the host to redraw that area of the view; it sends annotation messages for it.
  ASErr (*InvalAnnotationRect)(AIDocumentViewHandle view, const AIRect* rect);
};
inline constexpr char kAIAnnotatorSuite[] = "AI Annotator Suite";
inline constexpr int32_t kAIAnnotatorSuiteVersion = 3;

struct AIActionManagerSuite {};
inline constexpr char kAIActionManagerSuite[] = "AI Action Manager Suite";
inline constexpr int32_t kAIActionManagerSuiteVersion = 2;

struct AIFilterSuite {};
inline constexpr char kAIFilterSuite[] = "AI Filter Suite";
inline constexpr int32_t kAIFilterSuiteVersion = 2;

struct AIPluginGroupSuite {};
inline constexpr char kAIPluginGroupSuite[] = "AI Plugin Group Suite";
inline constexpr int32_t kAIPluginGroupSuiteVersion = 3;

struct AIRuntimeSuite {};
inline constexpr char kAIRuntimeSuite[] = "AI Runtime Suite";
inline constexpr int32_t kAIRuntimeSuiteVersion = 7;
