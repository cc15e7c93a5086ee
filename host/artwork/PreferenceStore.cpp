#include "host/artwork/PreferenceStore.h"

#include <cmath>
#include <fstream>
#include <iomanip>
#include <sstream>

namespace tavrix::host {

std::string PreferenceStore::Key(const char* prefix, const char* name) {
  const std::string first = prefix != nullptr ? prefix : "";
  return first.empty() ? std::string(name != nullptr ? name : "")
                       : first + "/" + (name != nullptr ? name : "");
}

std::optional<double> PreferenceStore::Real(const std::string& key) const {
  const auto found = reals_.find(key);
  if (found == reals_.end()) return std::nullopt;
  return found->second;
}

void PreferenceStore::SetReal(const std::string& key, double value) {
  reals_[key] = value;
  if (listener_) listener_(key);
}

std::optional<int32_t> PreferenceStore::Integer(const std::string& key) const {
  const auto found = integers_.find(key);
  if (found == integers_.end()) return std::nullopt;
  return found->second;
}

void PreferenceStore::SetInteger(const std::string& key, int32_t value) {
  integers_[key] = value;
  if (listener_) listener_(key);
}

void PreferenceStore::Load(const std::string& path) {
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    const size_t equals = line.find(" = ");
    if (equals == std::string::npos) continue;
    const std::string key = line.substr(0, equals);
    std::istringstream value(line.substr(equals + 3));
    std::string kind;
    value >> kind;
    if (kind == "real") {
      double number = 0;
      if (value >> number && std::isfinite(number)) reals_[key] = number;
    } else if (kind == "integer") {
      int32_t number = 0;
      if (value >> number) integers_[key] = number;
    }
  }
}

bool PreferenceStore::Save(const std::string& path) const {
  std::ofstream out(path, std::ios::trunc);
  if (!out) return false;
  for (const auto& [key, value] : reals_)
    out << key << " = real " << std::setprecision(17) << value << "\n";
  for (const auto& [key, value] : integers_) out << key << " = integer " << value << "\n";
  return static_cast<bool>(out);
}

}  // namespace tavrix::host
