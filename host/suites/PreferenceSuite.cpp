// AI Preference: the host's preference store as plug-ins read and write it.
#include <cmath>

#include "host/suites/HostCall.h"
#include "host/suites/HostSuites.h"

namespace tavrix::host {
namespace {

constexpr ASErr kNoSuchPreferenceErr = FourCharCode('!', 'P', 'r', 'f');

ASErr GetReal(const char* prefix, const char* suffix, double* value) {
  return HostCall("AIPreference.GetRealPreference", [&](Host& host) {
    if (suffix == nullptr || value == nullptr) return kBadParameterErr;
    const auto found = host.preferences().Real(PreferenceStore::Key(prefix, suffix));
    if (!found) return kNoSuchPreferenceErr;
    *value = *found;
    return kNoErr;
  });
}

ASErr PutReal(const char* prefix, const char* suffix, double value) {
  return HostCall("AIPreference.PutRealPreference", [&](Host& host) {
    if (suffix == nullptr || !std::isfinite(value)) return kBadParameterErr;
    host.preferences().SetReal(PreferenceStore::Key(prefix, suffix), value);
    return kNoErr;
  });
}

ASErr GetInteger(const char* prefix, const char* suffix, int32_t* value) {
  return HostCall("AIPreference.GetIntegerPreference", [&](Host& host) {
    if (suffix == nullptr || value == nullptr) return kBadParameterErr;
    const auto found = host.preferences().Integer(PreferenceStore::Key(prefix, suffix));
    if (!found) return kNoSuchPreferenceErr;
    *value = *found;
    return kNoErr;
  });
}

ASErr PutInteger(const char* prefix, const char* suffix, int32_t value) {
  return HostCall("AIPreference.PutIntegerPreference", [&](Host& host) {
    if (suffix == nullptr) return kBadParameterErr;
    host.preferences().SetInteger(PreferenceStore::Key(prefix, suffix), value);
    return kNoErr;
  });
}

const AIPreferenceSuite kPreference = {&GetReal, &PutReal, &GetInteger, &PutInteger};

}  // namespace

void InstallPreferenceSuite(SuiteRegistry& suites, FaultPlan& faults) {
  suites.Offer(kAIPreferenceSuite, kAIPreferenceSuiteVersion, &kPreference);
  for (const char* operation :
       {"AIPreference.GetRealPreference", "AIPreference.PutRealPreference",
        "AIPreference.GetIntegerPreference", "AIPreference.PutIntegerPreference"}) {
    faults.Register(operation);
  }
}

}  // namespace tavrix::host
