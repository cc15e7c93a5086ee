// Events delivered to the plug-in's callbacks (or to the defaults), and the values and texts
// items show.
#include <cmath>
#include <cstring>

#include "host/Host.h"
#include "host/Utf16.h"
#include "host/dialog/DialogManager.h"
#include "host/dialog/UnitText.h"

namespace tavrix::host {

template <class Call>
auto DialogManager::WithLease(SerialKind kind, void* object, Call&& call) {
  // Notifiers, trackers and drawers are valid only during the callback that receives them.
  struct Return {
    DialogManager& manager;
    uintptr_t serial;
    ~Return() { manager.Retire(serial); }
  } lease{*this, Lend(kind, object)};
  return call(lease.serial);
}

void DialogManager::NotifyItem(HostItem& item, const std::string& type) {
  if (item.destroyed) return;
  EnsurePluginLoaded(item.dialog->plugin);
  Host::PluginCall call(host_);
  HostNotifier notifier{type, &item};
  WithLease(SerialKind::Notifier, &notifier, [&](uintptr_t ref) {
    if (item.callbacks.notify != nullptr) {
      item.callbacks.notify(Ref(&item), reinterpret_cast<ADMNotifierRef>(ref));
    }
  });
}

void DialogManager::NotifyDialog(HostDialog& dialog, const std::string& type) {
  if (dialog.destroyed) return;
  EnsurePluginLoaded(dialog.plugin);
  Host::PluginCall call(host_);
  HostNotifier notifier{type, nullptr};
  WithLease(SerialKind::Notifier, &notifier, [&](uintptr_t ref) {
    if (dialog.callbacks.notify != nullptr) {
      dialog.callbacks.notify(Ref(&dialog), reinterpret_cast<ADMNotifierRef>(ref));
    } else {
      DefaultDialogNotify(dialog, notifier);
    }
  });
}

void DialogManager::DefaultDialogNotify(HostDialog& dialog, const HostNotifier& notifier) {
  // Collapsing and expanding is the window's own business, done unless a dialog keeps it back.
  if (notifier.type == kADMCollapseNotifier) dialog.collapsed = true;
  if (notifier.type == kADMExpandNotifier) dialog.collapsed = false;
}

bool DialogManager::TrackItem(HostItem& item, int32_t action, int32_t modifiers) {
  if (item.destroyed) return false;
  EnsurePluginLoaded(item.dialog->plugin);
  Host::PluginCall call(host_);
  HostTracker tracker{action, modifiers, ADMPoint{item.bounds.left + 1, item.bounds.top + 1}};
  return WithLease(SerialKind::Tracker, &tracker, [&](uintptr_t ref) {
    if (item.callbacks.track != nullptr) {
      return item.callbacks.track(Ref(&item), reinterpret_cast<ADMTrackerRef>(ref)) != 0;
    }
    return DefaultTrack(item);
  });
}

void DialogManager::DrawItem(HostItem& item) {
  if (item.destroyed) return;
  EnsurePluginLoaded(item.dialog->plugin);
  Host::PluginCall call(host_);
  HostDrawer drawer;
  drawer.bounds = item.bounds;
  WithLease(SerialKind::Drawer, &drawer, [&](uintptr_t ref) {
    if (item.callbacks.draw != nullptr) {
      item.callbacks.draw(Ref(&item), reinterpret_cast<ADMDrawerRef>(ref));
    } else {
      DefaultDraw(drawer);
    }
  });
  ++item.drawCount;
  item.lastDrawing = std::move(drawer.operations);
  item.lastDrawingBounds = drawer.bounds;
}

void DialogManager::Invalidate(HostItem& item) {
  if (item.visible && item.dialog != nullptr && !item.dialog->destroying) DrawItem(item);
}

void DialogManager::DefaultDraw(HostDrawer& drawer) const {
  DrawOperation operation{
      DrawOperation::Kind::Default, drawer.color, drawer.mode, {}, drawer.bounds};
  drawer.operations.push_back(std::move(operation));
}

bool DialogManager::DefaultTextToFloat(const HostItem& item, const char* text, float* value) const {
  if (text == nullptr || value == nullptr) return false;
  const std::optional<double> parsed = ParseValue(text, ConcreteUnits(item.units));
  if (!parsed) return false;
  const float rounded = static_cast<float>(*parsed);
  if (!std::isfinite(rounded)) return false;
  *value = rounded;
  return true;
}

bool DialogManager::DefaultFloatToText(const HostItem& item, float value, char* text,
                                       int32_t length) const {
  if (text == nullptr || length <= 0) return false;
  const std::string formatted =
      FormatValue(value, ConcreteUnits(item.units), item.precision, item.units != 0);
  CopyTruncated(formatted, text, static_cast<size_t>(length));
  return !formatted.empty();
}

std::optional<float> DialogManager::ParseItemText(HostItem& item, const std::string& text) {
  // No number has a NUL in it, and the conversions take C strings, which would stop at it and
  // read "1<NUL>2" as 1.
  if (text.find('\0') != std::string::npos) return std::nullopt;
  float value = item.floatValue;
  const bool parsed = item.callbacks.textToFloat != nullptr
                          ? item.callbacks.textToFloat(Ref(&item), text.c_str(), &value) != 0
                          : DefaultTextToFloat(item, text.c_str(), &value);
  if (!parsed || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::string DialogManager::FormatItemValue(HostItem& item, float value) {
  char buffer[256] = "";
  if (item.callbacks.floatToText != nullptr) {
    item.callbacks.floatToText(Ref(&item), value, buffer, sizeof buffer);
  } else {
    DefaultFloatToText(item, value, buffer, sizeof buffer);
  }
  buffer[sizeof buffer - 1] = '\0';
  return buffer;
}

void DialogManager::SetItemFloat(HostItem& item, float value) {
  item.floatValue = value;
  if (item.kind == ItemKind::EditField || item.kind == ItemKind::SpinText) {
    item.numeric = true;
    item.text = FormatItemValue(item, value);
  }
}

void DialogManager::SetItemText(HostItem& item, const std::string& text) {
  item.text = text;
  // A numeric field keeps the number its text says; free text leaves the value alone.
  if (item.numeric) {
    if (const auto value = ParseItemText(item, text)) item.floatValue = *value;
  }
}

}  // namespace tavrix::host
