// The suites the host offers, by name and version. Published tables never change; a new
// version is a new entry.
#pragma once

#include <map>
#include <string>
#include <utility>

#include "hostapi/HostTypes.h"

namespace tavrix::host {

class SuiteRegistry {
 public:
  void Offer(const std::string& name, int32_t version, const void* table);
  // Stops offering every version of a suite, as a host without it would.
  void Withdraw(const std::string& name);

  // kSuiteNotFoundErr for an unknown name, kSuiteVersionErr for a version not offered.
  ASErr Acquire(const std::string& name, int32_t version, const void** table);
  ASErr Release(const std::string& name, int32_t version);

  bool Offers(const std::string& name, int32_t version) const;
  size_t OfferedCount() const { return offered_.size(); }
  // How many acquisitions of the suite are not yet released.
  int Outstanding(const std::string& name, int32_t version) const;
  int OutstandingTotal() const;

 private:
  using Key = std::pair<std::string, int32_t>;
  std::map<Key, const void*> offered_;
  std::map<Key, int> outstanding_;
};

}  // namespace tavrix::host
