#include "plugin/Lifecycle.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "core/ErrorReporting.h"
#include "core/PluginGlobals.h"
#include "core/StringIds.h"
#include "core/SuiteTable.h"
#include "palette/VPointDBox.h"

namespace tavrix {
namespace {

constexpr char kAppStartedNotifierName[] = "Startup";
constexpr char kSelectionNotifierName[] = "ArtChangedEM";
constexpr char kPreferenceNotifierName[] = "ArtPreferenceEM";
constexpr char kAnnotatorName[] = "Gorvane";

void AddMenuItem(PluginGlobals& g, const char* text) {
  unsigned char lengthPrefixed[256] = {};
  const size_t length = std::strlen(text) < 255 ? std::strlen(text) : 255;
  lengthPrefixed[0] = static_cast<unsigned char>(length);
  std::copy_n(text, length, lengthPrefixed + 1);
  const AIAddMenuItemData data{kToolPalettesMenuGroup, lengthPrefixed};
  CheckError(AIMenu().AddMenuItem(g.pluginRef, text, &data, 0, &g.menuItem));
}

void AddInactiveNotifier(PluginGlobals& g, const char* name, const char* type,
                         AINotifierHandle& handle) {
  CheckError(AINotifier().AddNotifier(g.pluginRef, name, type, &handle));
  CheckError(AINotifier().SetNotifierActive(handle, false));
}

}  // namespace

ASErr Reload(SPAccessMessage& message) {
  const ASErr error = AcquireSuites(*message.d.basic);
  if (error != kNoErr) return error;
  globals = static_cast<PluginGlobals*>(message.d.globals);
  return kNoErr;
}

ASErr Unload(SPAccessMessage& message) {
  message.d.globals = globals;
  return ReleaseSuites(*message.d.basic);
}

ASErr StartUp(SPInterfaceMessage& message) {
  void* block = nullptr;
  const ASErr allocation = AIBlock().AllocateBlock(sizeof(PluginGlobals), &block);
  if (allocation != kNoErr) return allocation;
  globals = new (block) PluginGlobals{};
  PluginGlobals& g = *globals;
  g.pluginRef = message.d.self;

  CheckError(AINotifier().AddNotifier(g.pluginRef, kAppStartedNotifierName,
                                      kAIApplicationStartedNotifier, &g.appStartedNotifier));

  char menuText[64] = "";
  const ASErr load = ADMBasic().GetIndexString(g.pluginRef, kMenuStrings, kMenuItemText, menuText,
                                               sizeof menuText);
  if (load != kNoErr) return load;
  AddMenuItem(g, menuText);

  AddInactiveNotifier(g, kSelectionNotifierName, kAIArtSelectionChangedNotifier,
                      g.selectionNotifier);
  AddInactiveNotifier(g, kPreferenceNotifierName, kAIPreferenceChangedNotifier,
                      g.preferenceNotifier);

  CheckError(AIAnnotator().AddAnnotator(g.pluginRef, kAnnotatorName, &g.annotator));
  CheckError(AIAnnotator().SetAnnotatorActive(g.annotator, false));

  // The access reference is only informative; a host without one still runs the plug-in.
  SPAccess().GetPluginAccess(g.pluginRef, &g.accessRef);
  return kNoErr;
}

ASErr ShutDown(SPInterfaceMessage& message) noexcept {
  try {
    if (globals != nullptr) {
      if (globals->palette != nullptr) globals->palette->WritePreferences();
      CheckError(AIBlock().DisposeBlock(globals));
      globals = nullptr;
      message.d.globals = nullptr;
    }
  } catch (...) {
  }
  return kNoErr;
}

ASErr ShowAboutBox(SPInterfaceMessage& message) {
  char title[128] = "";
  char credit[128] = "";
  ADMBasic().GetIndexString(message.d.self, kPaletteStrings, kAboutTitle, title, sizeof title);
  ADMBasic().GetIndexString(message.d.self, kPaletteStrings, kAboutCredit, credit, sizeof credit);
  ADMBasic().AboutBox(message.d.self, title, credit);
  return kNoErr;
}

}  // namespace tavrix
