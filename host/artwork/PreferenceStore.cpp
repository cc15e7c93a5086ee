#include "host/artwork/PreferenceStore.h"

namespace tavrix::host {

const char* PreferenceTypeName(const PreferenceValue& value) {
  static const char* const kNames[] = {"boolean", "integer", "real", "point", "string"};
  return kNames[value.index()];
}

std::string PreferenceStore::Key(const char* prefix, const char* name) {
  const std::string first = prefix != nullptr ? prefix : "";
  return first.empty() ? std::string(name != nullptr ? name : "")
                       : first + "/" + (name != nullptr ? name : "");
}

void PreferenceStore::Set(const std::string& key, PreferenceValue value) {
  values_[key] = std::move(value);
  if (listener_) listener_(key);
}

}  // namespace tavrix::host
