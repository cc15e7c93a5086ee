// The messages that concern the palette: its menu item, the host's notifications and its
// annotation passes.
#pragma once

#include "hostapi/PluginMessages.h"

namespace tavrix {

// Both answer 0, or kExTrErr after showing the error alert.
ASErr RouteMenuCommand(AIMenuMessage& message) noexcept;
ASErr RouteNotifier(AINotifierMessage& message) noexcept;
// Draws the path-direction marks into the message's port; always answers 0.
ASErr RouteAnnotation(AIAnnotatorMessage& message) noexcept;

}  // namespace tavrix
