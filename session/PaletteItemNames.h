// The palette's items by the names its developers use, for scripts and printouts.
#pragma once

#include <optional>
#include <string>

namespace tavrix::app {

// The id of a name ("inXField") or of a number ("16"); nothing for neither.
std::optional<int> PaletteItemId(const std::string& nameOrNumber);
// The name of an id; "item N" for an id without one.
std::string PaletteItemName(int id);

}  // namespace tavrix::app
