// What a plug-in added to the host, in words.
#pragma once

#include <ostream>

#include "host/Registrations.h"

namespace tavrix::app {

void PrintRegistrations(const host::Registrations& registrations, std::ostream& out);

}  // namespace tavrix::app
