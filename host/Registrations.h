// What plug-ins have added to the host: notifiers, menu items and annotators, each known by a
// 32-bit handle.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "hostapi/HostTypes.h"

namespace tavrix::host {

struct NotifierRecord {
  AINotifierHandle handle;
  SPPluginRef plugin;
  std::string name;
  std::string type;
  bool active;
};

struct MenuItemRecord {
  AIMenuItemHandle handle;
  SPPluginRef plugin;
  std::string name;
  std::string group;
  std::string text;  // as the menu shows it
  bool checked;
};

struct AnnotatorRecord {
  AIAnnotatorHandle handle;
  SPPluginRef plugin;
  std::string name;
  bool active;
};

class Registrations {
 public:
  AINotifierHandle AddNotifier(SPPluginRef plugin, std::string name, std::string type);
  AIMenuItemHandle AddMenuItem(SPPluginRef plugin, std::string name, std::string group,
                               std::string text);
  AIAnnotatorHandle AddAnnotator(SPPluginRef plugin, std::string name);

  // Null for a handle the host never gave out.
  NotifierRecord* Notifier(AINotifierHandle handle);
  MenuItemRecord* MenuItem(AIMenuItemHandle handle);
  AnnotatorRecord* Annotator(AIAnnotatorHandle handle);

  // By name, for people and tests; null when there is none.
  const NotifierRecord* NotifierNamed(const std::string& name) const;
  const MenuItemRecord* MenuItemNamed(const std::string& name) const;
  const AnnotatorRecord* AnnotatorNamed(const std::string& name) const;

  const std::vector<NotifierRecord>& notifiers() const { return notifiers_; }
  const std::vector<MenuItemRecord>& menuItems() const { return menuItems_; }
  const std::vector<AnnotatorRecord>& annotators() const { return annotators_; }

  // Forgets everything a plug-in added, as the host does when it quits or drops the plug-in.
  void RemovePlugin(SPPluginRef plugin);

 private:
  uint32_t NextHandle() { return nextHandle_++; }

  uint32_t nextHandle_ = 0x100;
  std::vector<NotifierRecord> notifiers_;
  std::vector<MenuItemRecord> menuItems_;
  std::vector<AnnotatorRecord> annotators_;
};

}  // namespace tavrix::host
