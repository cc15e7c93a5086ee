// The palette's state as JSON, for programs that drive the host command.
#pragma once

#include <ostream>

#include "host/artwork/Document.h"
#include "host/dialog/DialogObjects.h"

namespace tavrix::app {

// Every item (its name, kind, text, value, visibility, enabling and check), the flyout menu's
// entries, and the point the palette shows: the first selected path's first selected anchor,
// or null. `document` may be null.
void PrintPaletteJson(const host::HostDialog& palette, const host::Document* document,
                      std::ostream& out);

}  // namespace tavrix::app
