#include "host/MisuseLog.h"

#include <algorithm>

namespace tavrix::host {

void MisuseLog::Record(const std::string& what) {
  const auto found = std::find(entries_.begin(), entries_.end(), what);
  if (found != entries_.end()) {
    ++counts_[static_cast<size_t>(found - entries_.begin())];
    return;
  }
  entries_.push_back(what);
  counts_.push_back(1);
}

std::string MisuseLog::Describe() const {
  std::string text;
  for (size_t i = 0; i < entries_.size(); ++i) {
    text += entries_[i];
    if (counts_[i] > 1) text += " (" + std::to_string(counts_[i]) + " times)";
    text += "\n";
  }
  return text;
}

}  // namespace tavrix::host
