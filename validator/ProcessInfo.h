// What the validator asks the system about its own process: how much memory it holds, and
// whether a library file is still mapped into it.
#pragma once

#include <string>

namespace tavrix::validator {

// Resident memory of this process in kilobytes.
long ResidentKilobytes();

// Whether the file is mapped into this process, under whatever name it was given.
bool IsMapped(const std::string& given);

}  // namespace tavrix::validator
