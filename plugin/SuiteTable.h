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
extern const void* sAIAnnotator;
extern const void* sAIBlock;
extern const void* sAIMenu;
extern const void* sAINotifier;
extern const void* sSPAccess;

inline const ADMBasicSuite& ADMBasic() { return *static_cast<const ADMBasicSuite*>(sADMBasic); }
inline const AIAnnotatorSuite& AIAnnotator() {
  return *static_cast<const AIAnnotatorSuite*>(sAIAnnotator);
}
inline const AIBlockSuite& AIBlock() { return *static_cast<const AIBlockSuite*>(sAIBlock); }
inline const AIMenuSuite& AIMenu() { return *static_cast<const AIMenuSuite*>(sAIMenu); }
inline const AINotifierSuite& AINotifier() {
  return *static_cast<const AINotifierSuite*>(sAINotifier);
}
inline const SPAccessSuite& SPAccess() { return *static_cast<const SPAccessSuite*>(sSPAccess); }

// The table in acquisition order.
const SuiteEntry* SuiteTableBegin();
const SuiteEntry* SuiteTableEnd();

// Walks the table; stops at the first failure except for the one suite whose absence is
// tolerated, and returns that failure.
ASErr AcquireSuites(const SPBasicSuite& basic);
// Releases every acquired suite in table order; stops at the first failure and returns it.
ASErr ReleaseSuites(const SPBasicSuite& basic);

}  // namespace tavrix
