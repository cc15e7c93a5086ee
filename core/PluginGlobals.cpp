#include "core/PluginGlobals.h"

namespace tavrix {

PluginGlobals* globals = nullptr;

}  // namespace tavrix
