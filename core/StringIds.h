// Where the plug-in's texts sit in its string table: a list base plus an index.
#pragma once

#include <stdint.h>

namespace tavrix {

inline constexpr int32_t kPaletteStrings = 30000;
inline constexpr int32_t kErrorAlertText = 1;
inline constexpr int32_t kAboutTitle = 23;
inline constexpr int32_t kAboutCredit = 24;

inline constexpr int32_t kMenuStrings = 30100;
inline constexpr int32_t kMenuItemText = 2;

inline constexpr int32_t kToolTipStrings = 30200;

// The Edit menu's names for every change the palette writes.
inline constexpr char kUndoText[] = "Undo Tavrix";
inline constexpr char kRedoText[] = "Redo Tavrix";

}  // namespace tavrix
