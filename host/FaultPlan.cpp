#include "host/FaultPlan.h"

#include <stdexcept>

namespace tavrix::host {

void FaultPlan::RequireKnown(const std::string& operation) const {
  // A misspelt name would make a test pass without reaching the error path it is about.
  if (known_.count(operation) == 0) {
    throw std::invalid_argument("no host operation is named '" + operation + "'");
  }
}

void FaultPlan::FailOnce(const std::string& operation, ASErr error, int64_t skip) {
  RequireKnown(operation);
  if (skip < 0) throw std::invalid_argument("a number of calls to let pass is never negative");
  const int64_t next = calls_[operation] + 1 + skip;
  faults_[operation].push_back(Fault{next, next, error});
}

void FaultPlan::FailFromCall(const std::string& operation, int64_t k, ASErr error) {
  RequireKnown(operation);
  if (k < 1) throw std::invalid_argument("calls are counted from 1");
  faults_[operation].push_back(Fault{calls_[operation] + k, -1, error});
}

void FaultPlan::FailNthCallOfAny(int64_t n, ASErr error) {
  if (n < 1) throw std::invalid_argument("calls are counted from 1");
  nthOfAny_ = total_ + n;
  nthError_ = error;
}

void FaultPlan::Clear() {
  faults_.clear();
  nthOfAny_ = 0;
}

ASErr FaultPlan::Check(const char* operation) {
  int64_t*& count = countsByAddress_[operation];
  if (count == nullptr) count = &calls_[operation];
  const int64_t call = ++*count;
  if (++total_ == nthOfAny_) return nthError_;
  if (faults_.empty()) return kNoErr;
  const auto found = faults_.find(operation);
  if (found == faults_.end()) return kNoErr;
  for (const Fault& fault : found->second) {
    if (call >= fault.firstFailingCall &&
        (fault.lastFailingCall < 0 || call <= fault.lastFailingCall)) {
      return fault.error;
    }
  }
  return kNoErr;
}

void FaultPlan::Count(const char* operation) {
  const auto [found, first] = countOnly_.try_emplace(operation, nullptr);
  // An operation that can fail on demand is counted where its fault is checked, once.
  if (first && known_.count(operation) == 0) found->second = &calls_[operation];
  if (found->second != nullptr) ++*found->second;
}

std::vector<std::string> FaultPlan::CalledOperations() const {
  std::vector<std::string> called;
  for (const auto& [operation, calls] : calls_) {
    if (calls > 0) called.push_back(operation);
  }
  return called;
}

int64_t FaultPlan::Calls(const std::string& operation) const {
  const auto found = calls_.find(operation);
  return found == calls_.end() ? 0 : found->second;
}

}  // namespace tavrix::host
