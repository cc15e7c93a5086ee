// ADM Basic: texts from the plug-in's own string table, the error alert and the about box.
#include <cmath>
#include <cstring>

#include "host/Utf16.h"
#include "host/dialog/UnitText.h"
#include "host/suites/AdmCall.h"
#include "host/suites/HostCall.h"
#include "host/suites/HostSuites.h"
#include "hostapi/ADMSuites.h"

namespace tavrix::host {
namespace {

ASErr GetIndexString(SPPluginRef plugin, int32_t base, int32_t index, char* buffer,
                     int32_t bufferSize) {
  return HostCall("ADMBasic.GetIndexString", [&](Host& host) {
    if (buffer == nullptr || bufferSize <= 0) return kBadParameterErr;
    buffer[0] = '\0';
    HostedPlugin* owner = host.Plugin(plugin);
    const int64_t id = int64_t{base} + index;
    if (owner == nullptr || id < 0 || id > UINT32_MAX) return kBadParameterErr;
    const auto text = owner->file().resources().String(static_cast<uint32_t>(id));
    if (!text) return kNoSuchStringErr;
    CopyTruncated(*text, buffer, static_cast<size_t>(bufferSize));
    return kNoErr;
  });
}

void ErrorAlert(const char* text) {
  AdmDo("ADMBasic.ErrorAlert", [&](DialogManager&) {
    Host::Current().alerts().Show(Alert{Alert::Kind::Error, text != nullptr ? text : "", ""});
  });
}

void AboutBox(SPPluginRef /*plugin*/, const char* text1, const char* text2) {
  AdmDo("ADMBasic.AboutBox", [&](DialogManager&) {
    Host::Current().alerts().Show(
        Alert{Alert::Kind::About, text1 != nullptr ? text1 : "", text2 != nullptr ? text2 : ""});
  });
}

int32_t GetConcreteUnits(int32_t unit) {
  return AdmCall<int32_t>("ADMBasic.GetConcreteUnits", kADMPointUnits,
                          [unit](DialogManager& dm) { return dm.ConcreteUnits(unit); });
}

void ValueToText(float value, char* buffer, int32_t unit, int32_t precision, ASBoolean appendUnit) {
  if (buffer == nullptr) return;
  buffer[0] = '\0';
  AdmDo("ADMBasic.ValueToText", [&](DialogManager& dm) {
    const std::string text = FormatValue(value, dm.ConcreteUnits(unit), precision, appendUnit != 0);
    CopyTruncated(text, buffer, kADMValueTextLength + 1);
  });
}

ASBoolean TextToValue(const char* text, float* value, int32_t unit) {
  if (text == nullptr || value == nullptr) return false;
  return AdmCall<ASBoolean>("ADMBasic.TextToValue", false, [&](DialogManager& dm) -> ASBoolean {
    const auto parsed = ParseValue(text, dm.ConcreteUnits(unit));
    if (!parsed) return false;
    const float rounded = static_cast<float>(*parsed);
    if (!std::isfinite(rounded)) return false;
    *value = rounded;
    return true;
  });
}

const ADMBasicSuite kAdmBasic = {&GetIndexString, &ErrorAlert,  &AboutBox,
                                 &ValueToText,    &TextToValue, &GetConcreteUnits};

}  // namespace

void InstallAdmBasicSuite(SuiteRegistry& suites, FaultPlan& faults) {
  suites.Offer(kADMBasicSuite, kADMBasicSuiteVersion, &kAdmBasic);
  faults.Register("ADMBasic.GetIndexString");
}

}  // namespace tavrix::host
