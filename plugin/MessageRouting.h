// The messages that concern the palette: its menu item and the host's notifications.
#pragma once

#include "hostapi/PluginMessages.h"

namespace tavrix {

// Both answer 0, or kExTrErr after showing the error alert.
ASErr RouteMenuCommand(AIMenuMessage& message) noexcept;
ASErr RouteNotifier(AINotifierMessage& message) noexcept;

}  // namespace tavrix
