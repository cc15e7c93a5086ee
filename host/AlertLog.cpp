#include "host/AlertLog.h"

#include <algorithm>

namespace tavrix::host {

void AlertLog::Show(Alert alert) {
  if (console_ != nullptr) {
    if (alert.kind == Alert::Kind::Error) {
      *console_ << "[alert] " << alert.text << "\n";
    } else {
      *console_ << "[about] " << alert.text << " | " << alert.detail << "\n";
    }
  }
  shown_.push_back(std::move(alert));
}

size_t AlertLog::ErrorCount() const {
  return static_cast<size_t>(std::count_if(
      shown_.begin(), shown_.end(), [](const Alert& a) { return a.kind == Alert::Kind::Error; }));
}

}  // namespace tavrix::host
