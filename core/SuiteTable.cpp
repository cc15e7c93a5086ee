#include "core/SuiteTable.h"

#include <cstring>

namespace tavrix {

const void* sADMBasic = nullptr;
const void* sADMDialog = nullptr;
const void* sADMDialogGroup = nullptr;
const void* sADMDrawer = nullptr;
const void* sADMEntry = nullptr;
const void* sADMIcon = nullptr;
const void* sADMItem = nullptr;
const void* sADMList = nullptr;
const void* sADMNotifier = nullptr;
const void* sADMTracker = nullptr;
const void* sAIActionManager = nullptr;
const void* sAIAnnotator = nullptr;
const void* sAIArt = nullptr;
const void* sAIBlock = nullptr;
const void* sAIDocument = nullptr;
const void* sAIDocumentView = nullptr;
const void* sAIFilter = nullptr;
const void* sAIGroup = nullptr;
const void* sAILayer = nullptr;
const void* sAIMatchingArt = nullptr;
const void* sAIMdMemory = nullptr;
const void* sAIMenu = nullptr;
const void* sAINotifier = nullptr;
const void* sAIPath = nullptr;
const void* sAIPathStyle = nullptr;
const void* sAIPluginGroup = nullptr;
const void* sAIPreference = nullptr;
const void* sAIRandom = nullptr;
const void* sAIRealMath = nullptr;
const void* sAIRuntime = nullptr;
const void* sAITag = nullptr;
const void* sAITransformArt = nullptr;
const void* sAIUndo = nullptr;
const void* sSPAccess = nullptr;
const void* sSPBlocks = nullptr;
const void* sSPSuites = nullptr;
const void* sSPRuntime = nullptr;

namespace {

const SuiteEntry kSuites[] = {
    {kADMBasicSuite, kADMBasicSuiteVersion, &sADMBasic},
    {kADMDialogSuite, kADMDialogSuiteVersion, &sADMDialog},
    {kADMDialogGroupSuite, kADMDialogGroupSuiteVersion, &sADMDialogGroup},
    {kADMDrawerSuite, kADMDrawerSuiteVersion, &sADMDrawer},
    {kADMEntrySuite, kADMEntrySuiteVersion, &sADMEntry},
    {kADMIconSuite, kADMIconSuiteVersion, &sADMIcon},
    {kADMItemSuite, kADMItemSuiteVersion, &sADMItem},
    {kADMListSuite, kADMListSuiteVersion, &sADMList},
    {kADMNotifierSuite, kADMNotifierSuiteVersion, &sADMNotifier},
    {kADMTrackerSuite, kADMTrackerSuiteVersion, &sADMTracker},
    {kAIActionManagerSuite, kAIActionManagerSuiteVersion, &sAIActionManager},
    {kAIAnnotatorSuite, kAIAnnotatorSuiteVersion, &sAIAnnotator},
    {kAIArtSuite, kAIArtSuiteVersion, &sAIArt},
    {kAIBlockSuite, kAIBlockSuiteVersion, &sAIBlock},
    {kAIDocumentSuite, kAIDocumentSuiteVersion, &sAIDocument},
    {kAIDocumentViewSuite, kAIDocumentViewSuiteVersion, &sAIDocumentView},
    {kAIFilterSuite, kAIFilterSuiteVersion, &sAIFilter},
    {kAIGroupSuite, kAIGroupSuiteVersion, &sAIGroup},
    {kAILayerSuite, kAILayerSuiteVersion, &sAILayer},
    {kAIMatchingArtSuite, kAIMatchingArtSuiteVersion, &sAIMatchingArt},
    {kAIMdMemorySuite, kAIMdMemorySuiteVersion, &sAIMdMemory},
    {kAIMenuSuite, kAIMenuSuiteVersion, &sAIMenu},
    {kAINotifierSuite, kAINotifierSuiteVersion, &sAINotifier},
    {kAIPathSuite, kAIPathSuiteVersion, &sAIPath},
    {kAIPathStyleSuite, kAIPathStyleSuiteVersion, &sAIPathStyle},
    {kAIPluginGroupSuite, kAIPluginGroupSuiteVersion, &sAIPluginGroup},
    {kAIPreferenceSuite, kAIPreferenceSuiteVersion, &sAIPreference},
    {kAIRandomSuite, kAIRandomSuiteVersion, &sAIRandom},
    {kAIRealMathSuite, kAIRealMathSuiteVersion, &sAIRealMath},
    {kAIRuntimeSuite, kAIRuntimeSuiteVersion, &sAIRuntime},
    {kAITagSuite, kAITagSuiteVersion, &sAITag},
    {kAITransformArtSuite, kAITransformArtSuiteVersion, &sAITransformArt},
    {kAIUndoSuite, kAIUndoSuiteVersion, &sAIUndo},
    {kSPAccessSuite, kSPAccessSuiteVersion, &sSPAccess},
    {kSPBlocksSuite, kSPBlocksSuiteVersion, &sSPBlocks},
    {kSPSuitesSuite, kSPSuitesSuiteVersion, &sSPSuites},
    {kSPRuntimeSuite, kSPRuntimeSuiteVersion, &sSPRuntime},
};
static_assert(sizeof(kSuites) / sizeof(kSuites[0]) == 37, "the plug-in acquires 37 suites");

// The plug-in never calls this suite; hosts without it still run the plug-in.
bool IsAbsenceTolerated(const char* name) {
  return std::strcmp(name, kAIActionManagerSuite) == 0;
}

}  // namespace

const SuiteEntry* SuiteTableBegin() {
  return kSuites;
}
const SuiteEntry* SuiteTableEnd() {
  return kSuites + sizeof(kSuites) / sizeof(kSuites[0]);
}

ASErr AcquireSuites(const SPBasicSuite& basic) {
  for (const SuiteEntry& entry : kSuites) {
    if (entry.destination == nullptr) continue;
    const ASErr error = basic.AcquireSuite(entry.name, entry.version, entry.destination);
    if (error != kNoErr && !IsAbsenceTolerated(entry.name)) return error;
  }
  return kNoErr;
}

ASErr ReleaseSuites(const SPBasicSuite& basic) {
  for (const SuiteEntry& entry : kSuites) {
    if (entry.destination == nullptr || *entry.destination == nullptr) continue;
    const ASErr error = basic.ReleaseSuite(entry.name, entry.version);
    if (error != kNoErr) return error;
    *entry.destination = nullptr;
  }
  return kNoErr;
}

}  // namespace tavrix
