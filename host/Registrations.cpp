#include "host/Registrations.h"

#include <algorithm>

namespace tavrix::host {
namespace {

template <class Record>
Record* ByHandle(std::vector<Record>& records, uint32_t handle) {
  for (Record& record : records) {
    if (record.handle == handle) return &record;
  }
  return nullptr;
}

template <class Record>
const Record* ByName(const std::vector<Record>& records, const std::string& name) {
  for (const Record& record : records) {
    if (record.name == name) return &record;
  }
  return nullptr;
}

template <class Record>
void RemoveOf(std::vector<Record>& records, SPPluginRef plugin) {
  records.erase(std::remove_if(records.begin(), records.end(),
                               [plugin](const Record& r) { return r.plugin == plugin; }),
                records.end());
}

}  // namespace

AINotifierHandle Registrations::AddNotifier(SPPluginRef plugin, std::string name,
                                            std::string type) {
  notifiers_.push_back(
      NotifierRecord{NextHandle(), plugin, std::move(name), std::move(type), true});
  return notifiers_.back().handle;
}

AIMenuItemHandle Registrations::AddMenuItem(SPPluginRef plugin, std::string name, std::string group,
                                            std::string text) {
  menuItems_.push_back(MenuItemRecord{NextHandle(), plugin, std::move(name), std::move(group),
                                      std::move(text), false});
  return menuItems_.back().handle;
}

AIAnnotatorHandle Registrations::AddAnnotator(SPPluginRef plugin, std::string name) {
  annotators_.push_back(AnnotatorRecord{NextHandle(), plugin, std::move(name), true});
  return annotators_.back().handle;
}

NotifierRecord* Registrations::Notifier(AINotifierHandle handle) {
  return ByHandle(notifiers_, handle);
}
MenuItemRecord* Registrations::MenuItem(AIMenuItemHandle handle) {
  return ByHandle(menuItems_, handle);
}
AnnotatorRecord* Registrations::Annotator(AIAnnotatorHandle handle) {
  return ByHandle(annotators_, handle);
}

const NotifierRecord* Registrations::NotifierNamed(const std::string& name) const {
  return ByName(notifiers_, name);
}
const MenuItemRecord* Registrations::MenuItemNamed(const std::string& name) const {
  return ByName(menuItems_, name);
}
const AnnotatorRecord* Registrations::AnnotatorNamed(const std::string& name) const {
  return ByName(annotators_, name);
}

void Registrations::RemovePlugin(SPPluginRef plugin) {
  RemoveOf(notifiers_, plugin);
  RemoveOf(menuItems_, plugin);
  RemoveOf(annotators_, plugin);
}

}  // namespace tavrix::host
