#include "host/dialog/DialogUser.h"

#include <algorithm>
#include <stdexcept>

#include "host/Host.h"

namespace tavrix::host {
namespace {

[[noreturn]] void Refuse(const std::string& text) {
  throw std::invalid_argument(text);
}

// Limits set in the wrong order still bound the value, never by undefined behaviour.
float Limit(float value, const HostItem& item) {
  return std::max(std::min(value, item.maxValue), item.minValue);
}

bool IsEditable(const HostItem& item) {
  return item.kind == ItemKind::EditField || item.kind == ItemKind::SpinText;
}

}  // namespace

std::string DescribeItem(const HostItem& item) {
  if (item.id == kADMFlyoutMenuItemID) return "the flyout menu";
  if (item.parent != nullptr) return "the text part of item " + std::to_string(item.parent->id);
  return "item " + std::to_string(item.id);
}

void DialogUser::RequireOpen(const HostDialog& dialog, const char* action) const {
  if (dialog.destroyed || dialog.destroying)
    Refuse(std::string("cannot ") + action + ": the dialog is gone");
}

void DialogUser::RequireUsable(const HostItem& item, const char* action) const {
  if (item.destroyed || item.dialog == nullptr)
    Refuse(std::string("cannot ") + action + ": the item is gone");
  RequireOpen(*item.dialog, action);
  if (!item.dialog->visible) Refuse(std::string("cannot ") + action + ": the palette is hidden");
  if (item.dialog->collapsed)
    Refuse(std::string("cannot ") + action + ": the palette is collapsed");
  if (!item.visible)
    Refuse(std::string("cannot ") + action + ": " + DescribeItem(item) + " is hidden");
  if (!item.enabled)
    Refuse(std::string("cannot ") + action + ": " + DescribeItem(item) + " is disabled");
}

bool DialogUser::TypeText(HostItem& field, const std::string& text) {
  Host::PluginCall action(manager_.host());
  if (!IsEditable(field))
    Refuse("cannot type into " + DescribeItem(field) + ": it is not an edit field");
  RequireUsable(field, "type");
  if (!manager_.TrackItem(field, kADMButtonDownAction, 0)) return false;
  if (field.numeric) {
    const std::optional<float> parsed = manager_.ParseItemText(field, text);
    if (!parsed) return false;  // the field snaps back to its previous text
    const float value = Limit(*parsed, field);
    field.floatValue = value;
    field.text = manager_.FormatItemValue(field, value);
  } else {
    field.text = text;
  }
  manager_.NotifyItem(field, kADMUserChangedNotifier);
  return true;
}

void DialogUser::ClickSpin(HostItem& spin, SpinArrow arrow, int repeats) {
  Host::PluginCall action(manager_.host());
  if (spin.kind != ItemKind::Spin)
    Refuse("cannot click an arrow of " + DescribeItem(spin) + ": it is not a spin");
  RequireUsable(spin, "click an arrow");
  if (!manager_.TrackItem(spin, kADMButtonDownAction, 0)) return;
  const float step = arrow == SpinArrow::Up ? spin.smallStep : -spin.smallStep;
  auto stepOnce = [&] { spin.floatValue = Limit(spin.floatValue + step, spin); };
  if (repeats <= 0) {
    stepOnce();
  } else {
    for (int i = 0; i < repeats && !spin.destroyed; ++i) {
      stepOnce();
      manager_.NotifyItem(spin, kADMIntermediateChangedNotifier);
    }
  }
  manager_.NotifyItem(spin, kADMUserChangedNotifier);
}

void DialogUser::Click(HostItem& item) {
  Host::PluginCall action(manager_.host());
  RequireUsable(item, "click");
  if (!manager_.TrackItem(item, kADMButtonDownAction, 0)) return;
  switch (item.kind) {
    case ItemKind::CheckBox:
      item.booleanValue = !item.booleanValue;
      manager_.NotifyItem(item, kADMUserChangedNotifier);
      break;
    case ItemKind::Picture:
    case ItemKind::Button:
      manager_.NotifyItem(item, kADMUserChangedNotifier);
      break;
    default:
      break;  // a click in a text or field only focuses it
  }
}

void DialogUser::CommandClick(HostItem& item) {
  Host::PluginCall action(manager_.host());
  RequireUsable(item, "command-click");
  manager_.TrackItem(item, kADMButtonDownAction, kADMCommandKeyModifier);
}

void DialogUser::ChooseFlyoutEntry(HostDialog& dialog, int32_t menuNumber) {
  Host::PluginCall action(manager_.host());
  RequireOpen(dialog, "choose from the flyout menu");
  HostItem* flyout = dialog.flyout.get();
  if (flyout == nullptr || !flyout->list) Refuse("the dialog has no flyout menu");
  if (!dialog.visible) Refuse("cannot choose from the flyout menu: the palette is hidden");
  // A collapsed palette shows its title bar only.
  if (dialog.collapsed) Refuse("cannot choose from the flyout menu: the palette is collapsed");
  HostList& list = *flyout->list;
  for (size_t i = 0; i < list.entries.size(); ++i) {
    const HostEntry& entry = list.entries[i];
    if (entry.id != menuNumber || entry.separator) continue;
    if (!entry.enabled)
      Refuse("flyout entry " + std::to_string(menuNumber) + " (\"" + entry.text +
             "\") is disabled");
    list.activeIndex = static_cast<int32_t>(i);
    manager_.NotifyItem(*flyout, kADMUserChangedNotifier);
    return;
  }
  Refuse("the flyout menu has no entry " + std::to_string(menuNumber));
}

void DialogUser::ShowWindow(HostDialog& dialog) {
  Host::PluginCall action(manager_.host());
  RequireOpen(dialog, "show the window");
  manager_.ShowDialog(dialog, true);
}

void DialogUser::HideWindow(HostDialog& dialog) {
  Host::PluginCall action(manager_.host());
  RequireOpen(dialog, "hide the window");
  manager_.ShowDialog(dialog, false);
}

void DialogUser::CollapseWindow(HostDialog& dialog) {
  Host::PluginCall action(manager_.host());
  RequireOpen(dialog, "collapse the window");
  if (!dialog.visible) Refuse("cannot collapse the window: it is hidden");
  manager_.NotifyDialog(dialog, kADMCollapseNotifier);
}

void DialogUser::ExpandWindow(HostDialog& dialog) {
  Host::PluginCall action(manager_.host());
  RequireOpen(dialog, "expand the window");
  if (!dialog.visible) Refuse("cannot expand the window: it is hidden");
  manager_.NotifyDialog(dialog, kADMExpandNotifier);
}

void DialogUser::MoveWindow(HostDialog& dialog, int32_t h, int32_t v) {
  RequireOpen(dialog, "move the window");
  if (!dialog.visible) Refuse("cannot move the window: it is hidden");
  const int32_t width = dialog.bounds.right - dialog.bounds.left;
  const int32_t height = dialog.bounds.bottom - dialog.bounds.top;
  dialog.bounds = ADMRect{h, v, h + width, v + height};
}

void DialogUser::DockWindow(HostDialog& dialog, const std::string& group, int32_t code) {
  RequireOpen(dialog, "dock the window");
  if (!dialog.visible) Refuse("cannot dock the window: it is hidden");
  dialog.groupName = group;
  dialog.groupPosition = code;
}

}  // namespace tavrix::host
