#include "plugin/PluginGlobals.h"

namespace tavrix {

PluginGlobals* globals = nullptr;

}  // namespace tavrix
