// The host suites the plug-in uses, acquired at Reload and released at Unload. Each is held in
// a module-level pointer of its own, null while not acquired.
#pragma once

#include <stddef.h>

#include "hostapi/HostApi.h"

namespace tavrix {

struct SuiteEntry {
  const char* name;
  int32_t version;
  const void** destination;
};

extern const void* sADMBasic;
extern const void* sADMDialog;
extern const void* sADMDialogGroup;
extern const void* sADMDrawer;
extern const void* sADMEntry;
extern const void* sADMIcon;
extern const void* sADMItem;
extern const void* sADMList;
extern const void* sADMNotifier;
extern const void* sADMTracker;
extern const void* sAIActionManager;
extern const void* sAIAnnotator;
extern const void* sAIArt;
extern const void* sAIBlock;
extern const void* sAIDocument;
extern const void* sAIDocumentView;
extern const void* sAIFilter;
extern const void* sAIGroup;
extern const void* sAILayer;
extern const void* sAIMatchingArt;
extern const void* sAIMdMemory;
extern const void* sAIMenu;
extern const void* sAINotifier;
extern const void* sAIPath;
extern const void* sAIPathStyle;
extern const void* sAIPluginGroup;
extern const void* sAIPreference;
extern const void* sAIRandom;
extern const void* sAIRealMath;
extern const void* sAIRuntime;
extern const void* sAITag;
extern const void* sAITransformArt;
extern const void* sAIUndo;
extern const void* sSPAccess;
extern const void* sSPBlocks;
extern const void* sSPSuites;
extern const void* sSPRuntime;

inline const ADMBasicSuite& ADMBasic() {
  return *static_cast<const ADMBasicSuite*>(sADMBasic);
}
inline const ADMDialogSuite& ADMDialog() {
  return *static_cast<const ADMDialogSuite*>(sADMDialog);
}
inline const ADMDialogGroupSuite& ADMDialogGroup() {
  return *static_cast<const ADMDialogGroupSuite*>(sADMDialogGroup);
}
inline const ADMDrawerSuite& ADMDrawer() {
  return *static_cast<const ADMDrawerSuite*>(sADMDrawer);
}
inline const ADMEntrySuite& ADMEntry() {
  return *static_cast<const ADMEntrySuite*>(sADMEntry);
}
inline const ADMItemSuite& ADMItem() {
  return *static_cast<const ADMItemSuite*>(sADMItem);
}
inline const ADMListSuite& ADMList() {
  return *static_cast<const ADMListSuite*>(sADMList);
}
inline const ADMNotifierSuite& ADMNotifier() {
  return *static_cast<const ADMNotifierSuite*>(sADMNotifier);
}
inline const ADMTrackerSuite& ADMTracker() {
  return *static_cast<const ADMTrackerSuite*>(sADMTracker);
}
inline const AIAnnotatorSuite& AIAnnotator() {
  return *static_cast<const AIAnnotatorSuite*>(sAIAnnotator);
}
inline const AIArtSuite& AIArt() {
  return *static_cast<const AIArtSuite*>(sAIArt);
}
inline const AIDocumentSuite& AIDocument() {
  return *static_cast<const AIDocumentSuite*>(sAIDocument);
}
inline const AIDocumentViewSuite& AIDocumentView() {
  return *static_cast<const AIDocumentViewSuite*>(sAIDocumentView);
}
inline const AIMatchingArtSuite& AIMatchingArt() {
  return *static_cast<const AIMatchingArtSuite*>(sAIMatchingArt);
}
inline const AIMdMemorySuite& AIMdMemory() {
  return *static_cast<const AIMdMemorySuite*>(sAIMdMemory);
}
inline const AIPathSuite& AIPath() {
  return *static_cast<const AIPathSuite*>(sAIPath);
}
inline const AIPreferenceSuite& AIPreference() {
  return *static_cast<const AIPreferenceSuite*>(sAIPreference);
}
inline const AIBlockSuite& AIBlock() {
  return *static_cast<const AIBlockSuite*>(sAIBlock);
}
inline const AIMenuSuite& AIMenu() {
  return *static_cast<const AIMenuSuite*>(sAIMenu);
}
inline const AINotifierSuite& AINotifier() {
  return *static_cast<const AINotifierSuite*>(sAINotifier);
}
inline const AIUndoSuite& AIUndo() {
  return *static_cast<const AIUndoSuite*>(sAIUndo);
}
inline const SPAccessSuite& SPAccess() {
  return *static_cast<const SPAccessSuite*>(sSPAccess);
}

// The table in acquisition order.
const SuiteEntry* SuiteTableBegin();
const SuiteEntry* SuiteTableEnd();

// Walks the table; stops at the first failure except for the one suite whose absence is
// tolerated, and returns that failure.
ASErr AcquireSuites(const SPBasicSuite& basic);
// Releases every acquired suite in table order; stops at the first failure and returns it.
ASErr ReleaseSuites(const SPBasicSuite& basic);

}  // namespace tavrix
