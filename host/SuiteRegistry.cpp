#include "host/SuiteRegistry.h"

namespace tavrix::host {

void SuiteRegistry::Offer(const std::string& name, int32_t version, const void* table) {
  offered_[Key{name, version}] = table;
}

void SuiteRegistry::Withdraw(const std::string& name) {
  for (auto it = offered_.begin(); it != offered_.end();) {
    it = it->first.first == name ? offered_.erase(it) : std::next(it);
  }
}

ASErr SuiteRegistry::Acquire(const std::string& name, int32_t version, const void** table) {
  const auto found = offered_.find(Key{name, version});
  if (found == offered_.end()) {
    const auto sameName = offered_.lower_bound(Key{name, INT32_MIN});
    const bool nameKnown = sameName != offered_.end() && sameName->first.first == name;
    return nameKnown ? kSuiteVersionErr : kSuiteNotFoundErr;
  }
  *table = found->second;
  ++outstanding_[found->first];
  return kNoErr;
}

ASErr SuiteRegistry::Release(const std::string& name, int32_t version) {
  const auto found = outstanding_.find(Key{name, version});
  if (found == outstanding_.end() || found->second == 0) return kSuiteNotFoundErr;
  --found->second;
  return kNoErr;
}

bool SuiteRegistry::Offers(const std::string& name, int32_t version) const {
  return offered_.count(Key{name, version}) != 0;
}

int SuiteRegistry::Outstanding(const std::string& name, int32_t version) const {
  const auto found = outstanding_.find(Key{name, version});
  return found == outstanding_.end() ? 0 : found->second;
}

int SuiteRegistry::OutstandingTotal() const {
  int total = 0;
  for (const auto& entry : outstanding_) total += entry.second;
  return total;
}

}  // namespace tavrix::host
