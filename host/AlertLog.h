// Alerts and about boxes the plug-in showed: kept for tests to read, printed for people.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tavrix::host {

struct Alert {
  enum class Kind { Error, About };
  Kind kind;
  std::string text;    // the error text, or the about box's first text
  std::string detail;  // the about box's second text
};

class AlertLog {
 public:
  void SetConsole(std::ostream* console) { console_ = console; }
  void Show(Alert alert);
  const std::vector<Alert>& shown() const { return shown_; }
  size_t ErrorCount() const;
  void Clear() { shown_.clear(); }

 private:
  std::ostream* console_ = nullptr;
  std::vector<Alert> shown_;
};

}  // namespace tavrix::host
