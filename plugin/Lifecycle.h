// The plug-in's life with the host: its code loaded and unloaded, the plug-in started and shut
// down, and the about box.
#pragma once

#include "hostapi/PluginMessages.h"

namespace tavrix {

// Acquires the suites, then takes the global block back from the host.
ASErr Reload(SPAccessMessage& message);
// Hands the global block to the host, then releases the suites.
ASErr Unload(SPAccessMessage& message);
// Allocates the global block and registers the notifiers, the menu item and the annotator.
// A failing host call throws HostError.
ASErr StartUp(SPInterfaceMessage& message);
// Frees the global block; never fails.
ASErr ShutDown(SPInterfaceMessage& message) noexcept;
ASErr ShowAboutBox(SPInterfaceMessage& message);

}  // namespace tavrix
