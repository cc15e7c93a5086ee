// Everything a plug-in compiles against.
#pragma once

#include "ADMSuites.h"
#include "AIArtworkSuites.h"
#include "AIPluginSuites.h"
#include "HostTypes.h"
#include "PluginMessages.h"
#include "SPSuites.h"
