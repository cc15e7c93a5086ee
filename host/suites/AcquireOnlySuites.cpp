// Suites a plug-in may acquire before this host serves any of their operations: present under
// their names and versions, with empty tables.
#include "host/suites/HostSuites.h"
#include "hostapi/ADMSuites.h"
#include "hostapi/AIArtworkSuites.h"
#include "hostapi/AIPluginSuites.h"
#include "hostapi/SPSuites.h"

namespace tavrix::host {
namespace {

template <class Suite>
void OfferEmpty(SuiteRegistry& suites, const char* name, int32_t version) {
  static const Suite kTable{};
  suites.Offer(name, version, &kTable);
}

}  // namespace

void InstallAcquireOnlySuites(SuiteRegistry& suites) {
  OfferEmpty<ADMIconSuite>(suites, kADMIconSuite, kADMIconSuiteVersion);
  OfferEmpty<AIActionManagerSuite>(suites, kAIActionManagerSuite, kAIActionManagerSuiteVersion);
  OfferEmpty<AIFilterSuite>(suites, kAIFilterSuite, kAIFilterSuiteVersion);
  OfferEmpty<AIGroupSuite>(suites, kAIGroupSuite, kAIGroupSuiteVersion);
  OfferEmpty<AILayerSuite>(suites, kAILayerSuite, kAILayerSuiteVersion);
  OfferEmpty<AIPathStyleSuite>(suites, kAIPathStyleSuite, kAIPathStyleSuiteVersion);
  OfferEmpty<AIPluginGroupSuite>(suites, kAIPluginGroupSuite, kAIPluginGroupSuiteVersion);
  OfferEmpty<AIRandomSuite>(suites, kAIRandomSuite, kAIRandomSuiteVersion);
  OfferEmpty<AIRealMathSuite>(suites, kAIRealMathSuite, kAIRealMathSuiteVersion);
  OfferEmpty<AIRuntimeSuite>(suites, kAIRuntimeSuite, kAIRuntimeSuiteVersion);
  OfferEmpty<AITagSuite>(suites, kAITagSuite, kAITagSuiteVersion);
  OfferEmpty<AITransformArtSuite>(suites, kAITransformArtSuite, kAITransformArtSuiteVersion);
  OfferEmpty<SPBlocksSuite>(suites, kSPBlocksSuite, kSPBlocksSuiteVersion);
  OfferEmpty<SPSuitesSuite>(suites, kSPSuitesSuite, kSPSuitesSuiteVersion);
  OfferEmpty<SPRuntimeSuite>(suites, kSPRuntimeSuite, kSPRuntimeSuiteVersion);
}

}  // namespace tavrix::host
