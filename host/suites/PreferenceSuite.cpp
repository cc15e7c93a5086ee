// AI Preference: the host's preference store as plug-ins read and write it.
#include <cmath>
#include <cstring>
#include <optional>

#include "host/Utf16.h"
#include "host/suites/HostCall.h"
#include "host/suites/HostSuites.h"

namespace tavrix::host {
namespace {

constexpr ASErr kNoSuchPreferenceErr = FourCharCode('!', 'P', 'r', 'f');

// Reads a typed value into *out; an unset value (or one of another type) leaves it untouched.
template <class Read, class Store>
ASErr GetPreference(const char* operation, const char* prefix, const char* suffix, bool outOk,
                    Read&& read, Store&& store) {
  return HostCall(operation, [&](Host& host) {
    if (suffix == nullptr || !outOk) return kBadParameterErr;
    const auto found = read(host.preferences(), PreferenceStore::Key(prefix, suffix));
    if (!found) return kNoSuchPreferenceErr;
    store(*found);
    return kNoErr;
  });
}

template <class Put>
ASErr PutPreference(const char* operation, const char* prefix, const char* suffix, bool valueOk,
                    Put&& put) {
  return HostCall(operation, [&](Host& host) {
    if (suffix == nullptr || !valueOk) return kBadParameterErr;
    put(host.preferences(), PreferenceStore::Key(prefix, suffix));
    return kNoErr;
  });
}

// The keyboard increment is a step the palette takes in 32-bit floats: it must stay positive
// and finite there, whatever a preference file says.
bool IsKeyboardIncrement(const std::string& key) {
  return key == kAICursorKeyLengthPreference;
}

bool IsUsableIncrement(double value) {
  const float step = static_cast<float>(value);
  return std::isfinite(value) && std::isfinite(step) && step > 0.0f;
}

ASErr GetReal(const char* prefix, const char* suffix, double* value) {
  return GetPreference(
      "AIPreference.GetRealPreference", prefix, suffix, value != nullptr,
      [](PreferenceStore& s, const std::string& key) -> std::optional<double> {
        const std::optional<double> found = s.Real(key);
        if (found && IsKeyboardIncrement(key) && !IsUsableIncrement(*found))
          return kDefaultKeyboardIncrement;
        return found;
      },
      [value](double found) { *value = found; });
}

ASErr PutReal(const char* prefix, const char* suffix, double value) {
  const bool usable =
      std::isfinite(value) &&
      (!IsKeyboardIncrement(PreferenceStore::Key(prefix, suffix)) || IsUsableIncrement(value));
  return PutPreference(
      "AIPreference.PutRealPreference", prefix, suffix, usable,
      [value](PreferenceStore& s, const std::string& key) { s.SetReal(key, value); });
}

ASErr GetInteger(const char* prefix, const char* suffix, int32_t* value) {
  return GetPreference(
      "AIPreference.GetIntegerPreference", prefix, suffix, value != nullptr,
      [](PreferenceStore& s, const std::string& key) { return s.Integer(key); },
      [value](int32_t found) { *value = found; });
}

ASErr PutInteger(const char* prefix, const char* suffix, int32_t value) {
  return PutPreference(
      "AIPreference.PutIntegerPreference", prefix, suffix, true,
      [value](PreferenceStore& s, const std::string& key) { s.SetInteger(key, value); });
}

ASErr GetBoolean(const char* prefix, const char* suffix, AIBoolean* value) {
  return GetPreference(
      "AIPreference.GetBooleanPreference", prefix, suffix, value != nullptr,
      [](PreferenceStore& s, const std::string& key) { return s.Boolean(key); },
      [value](bool found) { *value = found ? 1 : 0; });
}

ASErr PutBoolean(const char* prefix, const char* suffix, AIBoolean value) {
  return PutPreference(
      "AIPreference.PutBooleanPreference", prefix, suffix, true,
      [value](PreferenceStore& s, const std::string& key) { s.SetBoolean(key, value != 0); });
}

ASErr GetPoint(const char* prefix, const char* suffix, AIPoint* value) {
  return GetPreference(
      "AIPreference.GetPointPreference", prefix, suffix, value != nullptr,
      [](PreferenceStore& s, const std::string& key) { return s.Point(key); },
      [value](const PreferencePoint& found) {
        *value = AIPoint{found.h, found.v};
      });
}

ASErr PutPoint(const char* prefix, const char* suffix, AIPoint value) {
  return PutPreference("AIPreference.PutPointPreference", prefix, suffix, true,
                       [value](PreferenceStore& s, const std::string& key) {
                         s.SetPoint(key, PreferencePoint{value.h, value.v});
                       });
}

ASErr GetString(const char* prefix, const char* suffix, char* buffer) {
  return GetPreference(
      "AIPreference.GetStringPreference", prefix, suffix, buffer != nullptr,
      [](PreferenceStore& s, const std::string& key) { return s.String(key); },
      [buffer](const std::string& found) {
        // The caller's buffer is the interface's fixed size.
        CopyTruncated(found, buffer, kAIPreferenceStringSize);
      });
}

ASErr PutString(const char* prefix, const char* suffix, const char* value) {
  return PutPreference(
      "AIPreference.PutStringPreference", prefix, suffix, value != nullptr,
      [value](PreferenceStore& s, const std::string& key) { s.SetString(key, value); });
}

const AIPreferenceSuite kPreference = {&GetReal,    &PutReal,    &GetInteger, &PutInteger,
                                       &GetBoolean, &PutBoolean, &GetPoint,   &PutPoint,
                                       &GetString,  &PutString};

}  // namespace

void InstallPreferenceSuite(SuiteRegistry& suites, FaultPlan& faults) {
  suites.Offer(kAIPreferenceSuite, kAIPreferenceSuiteVersion, &kPreference);
  for (const char* operation :
       {"AIPreference.GetRealPreference", "AIPreference.PutRealPreference",
        "AIPreference.GetIntegerPreference", "AIPreference.PutIntegerPreference",
        "AIPreference.GetBooleanPreference", "AIPreference.PutBooleanPreference",
        "AIPreference.GetPointPreference", "AIPreference.PutPointPreference",
        "AIPreference.GetStringPreference", "AIPreference.PutStringPreference"}) {
    faults.Register(operation);
  }
}

}  // namespace tavrix::host
