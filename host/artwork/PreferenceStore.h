// The host's preference store: values by prefix and name, kept in a file between runs.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>

namespace tavrix::host {

class PreferenceStore {
 public:
  // Called after any value changes, with the key that changed.
  void SetListener(std::function<void(const std::string&)> listener) {
    listener_ = std::move(listener);
  }

  // The application's own preferences have an empty prefix.
  static std::string Key(const char* prefix, const char* name);

  std::optional<double> Real(const std::string& key) const;
  void SetReal(const std::string& key, double value);
  std::optional<int32_t> Integer(const std::string& key) const;
  void SetInteger(const std::string& key, int32_t value);

  // One line per value: "KEY = real VALUE" or "KEY = integer VALUE". A missing file is an empty
  // store; unreadable lines are skipped. Save answers false when the file cannot be written.
  void Load(const std::string& path);
  bool Save(const std::string& path) const;

  const std::map<std::string, double>& reals() const { return reals_; }
  const std::map<std::string, int32_t>& integers() const { return integers_; }

 private:
  std::map<std::string, double> reals_;
  std::map<std::string, int32_t> integers_;
  std::function<void(const std::string&)> listener_;
};

}  // namespace tavrix::host
