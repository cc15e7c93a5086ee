#include "tavrix-host/RegistrationReport.h"

namespace tavrix::app {
namespace {

const char* ActiveText(bool active) {
  return active ? "active" : "inactive";
}

}  // namespace

void PrintRegistrations(const host::Registrations& registrations, std::ostream& out) {
  out << "Menu items:\n";
  for (const auto& item : registrations.menuItems()) {
    out << "  \"" << item.text << "\" in \"" << item.group << "\""
        << (item.checked ? " (checked)" : "") << "\n";
  }
  out << "Notifiers:\n";
  for (const auto& notifier : registrations.notifiers()) {
    out << "  \"" << notifier.name << "\" for " << notifier.type << " ("
        << ActiveText(notifier.active) << ")\n";
  }
  out << "Annotators:\n";
  for (const auto& annotator : registrations.annotators()) {
    out << "  \"" << annotator.name << "\" (" << ActiveText(annotator.active) << ")\n";
  }
}

}  // namespace tavrix::app
