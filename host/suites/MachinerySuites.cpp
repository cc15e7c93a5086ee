// SP Basic, SP Access and AI Block: how a plug-in reaches the host at all, and its memory.
#include <cstring>

#include "host/suites/HostCall.h"
#include "host/suites/HostSuites.h"
#include "hostapi/AIPluginSuites.h"

namespace tavrix::host {
namespace {

ASErr AcquireSuite(const char* name, int32_t version, const void** suite) {
  return HostCall("SPBasic.AcquireSuite", [&](Host& host) {
    if (name == nullptr || suite == nullptr) return kBadParameterErr;
    return host.suites().Acquire(name, version, suite);
  });
}

ASErr ReleaseSuite(const char* name, int32_t version) {
  return HostCall("SPBasic.ReleaseSuite", [&](Host& host) {
    if (name == nullptr) return kBadParameterErr;
    const ASErr released = host.suites().Release(name, version);
    if (released != kNoErr && name != nullptr)
      host.misuse().Record(std::string("suite '") + name + "' version " + std::to_string(version) +
                           " was released more often than it was acquired");
    return released;
  });
}

ASBoolean IsEqual(const char* a, const char* b) {
  if (a == nullptr || b == nullptr) return a == b;
  return std::strcmp(a, b) == 0;
}

ASErr GetPluginAccess(SPPluginRef plugin, SPAccessRef* access) {
  return HostCall("SPAccess.GetPluginAccess", [&](Host& host) {
    if (access == nullptr || host.Plugin(plugin) == nullptr) return kBadParameterErr;
    // The access reference is the plug-in reference with a tag, so a reader can tell them apart.
    *access = 0x41000000u | plugin;
    return kNoErr;
  });
}

ASErr AllocateBlock(size_t size, void** block) {
  return HostCall("AIBlock.AllocateBlock",
                  [&](Host& host) { return host.blocks().Allocate(size, block); });
}

ASErr DisposeBlock(void* block) {
  return HostCall("AIBlock.DisposeBlock", [&](Host& host) { return host.blocks().Dispose(block); });
}

const SPBasicSuite kBasic = {&AcquireSuite, &ReleaseSuite, &IsEqual};
const SPAccessSuite kAccess = {&GetPluginAccess};
const AIBlockSuite kBlock = {&AllocateBlock, &DisposeBlock};

}  // namespace

const SPBasicSuite* BasicSuiteTable() {
  return &kBasic;
}

void InstallMachinerySuites(SuiteRegistry& suites, FaultPlan& faults) {
  suites.Offer(kSPBasicSuite, kSPBasicSuiteVersion, &kBasic);
  suites.Offer(kSPAccessSuite, kSPAccessSuiteVersion, &kAccess);
  suites.Offer(kAIBlockSuite, kAIBlockSuiteVersion, &kBlock);
  for (const char* operation :
       {"SPBasic.AcquireSuite", "SPBasic.ReleaseSuite", "SPAccess.GetPluginAccess",
        "AIBlock.AllocateBlock", "AIBlock.DisposeBlock"}) {
    faults.Register(operation);
  }
}

void InstallHostSuites(SuiteRegistry& suites, FaultPlan& faults) {
  InstallMachinerySuites(suites, faults);
  InstallRegistrationSuites(suites, faults);
  InstallAdmBasicSuite(suites, faults);
  InstallAdmDialogSuites(suites, faults);
  InstallAdmItemSuite(suites);
  InstallAdmEventSuites(suites, faults);
  InstallArtworkSuites(suites, faults);
  InstallPreferenceSuite(suites, faults);
  InstallUndoSuite(suites, faults);
  InstallAcquireOnlySuites(suites);
}

}  // namespace tavrix::host
