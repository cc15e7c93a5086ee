// Host operations made to fail on demand, so that every error path of a plug-in can be reached.
// Operations are named "Suite.Operation", e.g. "AINotifier.AddNotifier".
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "hostapi/HostTypes.h"

namespace tavrix::host {

class FaultPlan {
 public:
  void Register(const std::string& operation) { known_.insert(operation); }
  const std::set<std::string>& operations() const { return known_; }

  // The call of the operation after `skip` further calls (0: the very next) answers `error`;
  // the calls before and after it succeed.
  void FailOnce(const std::string& operation, ASErr error, int64_t skip = 0);
  // From the k-th call from now on (k = 1: the next one), every call answers `error`.
  void FailFromCall(const std::string& operation, int64_t k, ASErr error);
  // The n-th host call from now on, of whatever operation, answers `error` (n = 1: the next).
  void FailNthCallOfAny(int64_t n, ASErr error);
  void Clear();

  // Called by every host operation first: counts the call and says whether it fails.
  // Operations are named by string literals: each literal's count is found by its address after
  // the first call, since suite functions are called many thousand times per user action.
  ASErr Check(const char* operation);
  int64_t Calls(const std::string& operation) const;
  // Counts a call of an operation that cannot fail on demand (one that answers a value, not an
  // error): so that what a plug-in calls can be seen, whatever it calls.
  void Count(const char* operation);
  // Every operation called at least once, by name.
  std::vector<std::string> CalledOperations() const;
  // Every call of every operation so far.
  int64_t TotalCalls() const { return total_; }

 private:
  struct Fault {
    int64_t firstFailingCall;
    int64_t lastFailingCall;  // -1: no end
    ASErr error;
  };
  void RequireKnown(const std::string& operation) const;

  std::set<std::string> known_;
  std::map<std::string, int64_t> calls_;  // Into calls_, whose entries stay where they are.
  std::unordered_map<const char*, int64_t*> countsByAddress_;
  // For Count: null for an operation Check counts.
  std::unordered_map<const char*, int64_t*> countOnly_;
  std::map<std::string, std::vector<Fault>> faults_;
  int64_t total_ = 0;
  int64_t nthOfAny_ = 0;  // 0: none
  ASErr nthError_ = kNoErr;
};

}  // namespace tavrix::host
