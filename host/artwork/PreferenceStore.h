// The host's preference store: typed values by prefix and name, as the Preference suite offers
// them. Kept in memory; PreferenceFile keeps it in a file between runs.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <variant>

namespace tavrix::host {

struct PreferencePoint {
  int32_t h = 0;
  int32_t v = 0;
  bool operator==(const PreferencePoint& other) const { return h == other.h && v == other.v; }
};

// One stored value; its type is the one it was put with.
using PreferenceValue = std::variant<bool, int32_t, double, PreferencePoint, std::string>;

// "boolean", "integer", "real", "point" or "string".
const char* PreferenceTypeName(const PreferenceValue& value);

class PreferenceStore {
 public:
  // Called after any value changes, with the key that changed.
  void SetListener(std::function<void(const std::string&)> listener) {
    listener_ = std::move(listener);
  }

  // "PREFIX/NAME"; the application's own preferences have no prefix and are just "NAME".
  static std::string Key(const char* prefix, const char* name);

  // A value read as another type than it was put with counts as absent.
  std::optional<bool> Boolean(const std::string& key) const { return Get<bool>(key); }
  std::optional<int32_t> Integer(const std::string& key) const { return Get<int32_t>(key); }
  std::optional<double> Real(const std::string& key) const { return Get<double>(key); }
  std::optional<PreferencePoint> Point(const std::string& key) const {
    return Get<PreferencePoint>(key);
  }
  std::optional<std::string> String(const std::string& key) const { return Get<std::string>(key); }

  void SetBoolean(const std::string& key, bool value) { Set(key, value); }
  void SetInteger(const std::string& key, int32_t value) { Set(key, value); }
  void SetReal(const std::string& key, double value) { Set(key, value); }
  void SetPoint(const std::string& key, PreferencePoint value) { Set(key, value); }
  void SetString(const std::string& key, std::string value) { Set(key, std::move(value)); }
  void Set(const std::string& key, PreferenceValue value);

  const std::map<std::string, PreferenceValue>& values() const { return values_; }
  // Every value of `other` put into this store, without telling the listener: a host that
  // starts with the preferences it kept.
  void Adopt(const PreferenceStore& other) {
    for (const auto& [key, value] : other.values_) values_[key] = value;
  }

 private:
  template <class T>
  std::optional<T> Get(const std::string& key) const {
    const auto found = values_.find(key);
    if (found == values_.end() || !std::holds_alternative<T>(found->second)) return std::nullopt;
    return std::get<T>(found->second);
  }

  std::map<std::string, PreferenceValue> values_;
  std::function<void(const std::string&)> listener_;
};

}  // namespace tavrix::host
