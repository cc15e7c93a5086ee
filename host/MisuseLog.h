// What a plug-in did wrong to the host that the host survived: a suite called while its code was
// not loaded, a reference used after its object was destroyed, a drawer never released, a block
// or message record written past its end, an exception let out of PluginMain. A real host
// would often crash; this one records it, and the validator fails a plug-in that did any of it.
// A dialog-manager call that failed inside the host is recorded here too: the plug-in was given
// a fallback instead of the truth, and the run must not pass as if nothing happened.
#pragma once

#include <string>
#include <vector>

namespace tavrix::host {

class MisuseLog {
 public:
  // Each kind of misuse is kept once, with the number of times it happened.
  void Record(const std::string& what);
  const std::vector<std::string>& entries() const { return entries_; }
  bool empty() const { return entries_.empty(); }
  void Clear() {
    entries_.clear();
    counts_.clear();
  }
  // "what (3 times)"; one line per kind.
  std::string Describe() const;

 private:
  std::vector<std::string> entries_;
  std::vector<int> counts_;
};

}  // namespace tavrix::host
