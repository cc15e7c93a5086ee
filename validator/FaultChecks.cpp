// The reference session run again once for each host call it makes, with that call failing:
// the plug-in survives every one, tells the user at most once, misuses nothing, and never
// leaves the artwork half-written.
#include "host/Host.h"
#include "validator/ReferenceSession.h"
#include "validator/ValidatorCheck.h"

namespace tavrix::validator {
namespace {

constexpr ASErr kInjected = FourCharCode('F', 'A', 'I', 'L');

void EveryHostCallFailingOnce(const CheckContext& context) {
  const std::vector<std::string> lines = ReferenceSessionLines(false);
  int64_t calls = 0;
  {
    const auto run = PlaySession(context.pluginPath, lines);
    Require(run->session != nullptr, "the plug-in did not start: " + run->startFailure);
    calls = run->session->host().faults().TotalCalls();
  }
  // Every call from level 8; a spread of them below, different for each seed.
  const int64_t stride = context.level >= 8 ? 1 : (context.level >= 5 ? 5 : 40);
  int64_t tried = 0;
  for (int64_t k = 1 + static_cast<int64_t>(context.seed % static_cast<uint32_t>(stride));
       k <= calls; k += stride) {
    const auto run = PlaySession(context.pluginPath, lines, [k](host::Host& host) {
      host.faults().FailNthCallOfAny(k, kInjected);
    });
    ++tried;
    if (run->session == nullptr) continue;  // a failure at start-up is refused cleanly
    host::Host& host = run->session->host();
    const std::string where =
        "with host call " + std::to_string(k) + " of " + std::to_string(calls) + " failing: ";
    Require(host.alerts().ErrorCount() <= 1,
            where + std::to_string(host.alerts().ErrorCount()) + " alerts for one failure");
    Require(host.misuse().empty(), where + host.misuse().Describe());
    Require(UnsoundArtwork(host).empty(), where + UnsoundArtwork(host));
  }
  context.log << tried << " of " << calls << " host calls made to fail\n";
}

}  // namespace

std::vector<ValidatorCheck> FaultChecks() {
  return {
      {"faults.every-host-call",
       "The reference session again with each host call it makes failing once (every call from "
       "level 8, a seeded spread below): no crash, at most one alert, nothing misused, the "
       "artwork never half-written",
       2, &EveryHostCallFailingOnce},
  };
}

}  // namespace tavrix::validator
