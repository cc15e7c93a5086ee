// One check of the plug-in validator: a name, what it proves, the strictness level from which
// it runs, and its body. A body that finds a fault throws CheckFailure; one that crashes is
// caught by the process it runs in.
#pragma once

#include <cstdint>
#include <functional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace tavrix::validator {

class CheckFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct CheckContext {
  std::string pluginPath;
  uint32_t seed;
  int level;  // 1 (quick) to 10 (exhaustive)
  std::ostream& log;
};

[[noreturn]] inline void Fail(const std::string& why) {
  throw CheckFailure(why);
}
inline void Require(bool holds, const std::string& why) {
  if (!holds) Fail(why);
}

struct ValidatorCheck {
  std::string name;
  std::string description;
  int level;  // runs at this level and above
  std::function<void(const CheckContext&)> run;
};

// Every check, in the order they run.
std::vector<ValidatorCheck> AllChecks();

// The checks of each concern.
std::vector<ValidatorCheck> LifecycleChecks();
std::vector<ValidatorCheck> FaultChecks();
std::vector<ValidatorCheck> RandomSessionChecks();
std::vector<ValidatorCheck> BadInputChecks();
std::vector<ValidatorCheck> IntegrityChecks();

}  // namespace tavrix::validator
