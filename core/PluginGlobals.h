// The plug-in's one global block. It lives in host memory, so it outlives an unload of the
// plug-in's code: the host hands it back at the next Reload.
#pragma once

#include "hostapi/HostTypes.h"

namespace tavrix {

class VPointDBox;

struct PluginGlobals {
  SPPluginRef pluginRef;
  SPAccessRef accessRef;
  AIMenuItemHandle menuItem;
  VPointDBox* palette;
  AINotifierHandle appStartedNotifier;
  AINotifierHandle selectionNotifier;
  AINotifierHandle preferenceNotifier;
  AIAnnotatorHandle annotator;
  AIPortRef annotationPort;
};

// Null before start-up and after shutdown.
extern PluginGlobals* globals;

}  // namespace tavrix
