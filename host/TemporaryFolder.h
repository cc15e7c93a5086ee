// A new, empty folder under the system's temporary folder that no one else uses.
#pragma once

#include <filesystem>
#include <string>

namespace tavrix::host {

// Named `prefix` followed by six random characters. Throws std::runtime_error when none can
// be made.
std::filesystem::path MakeTemporaryFolder(const std::string& prefix);

}  // namespace tavrix::host
