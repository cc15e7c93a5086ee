// Where the workbench window puts its parts. The document window's content is the host's view,
// 1024 x 768 pixels, under the menu bar; the palette floats where its dialog's bounds say, the
// part of the window under the menu bar standing for the screen; a status line runs along the
// bottom.
#pragma once

#include "host/view/DocumentView.h"
#include "pictures/Pictures.h"

namespace tavrix::workbench {

inline constexpr int kMenuBarHeight = 22;
inline constexpr int kStatusBarHeight = 22;
// Room right of the document window, where the palette can be put out of the artwork's way.
inline constexpr int kDesktopWidth = 440;

inline constexpr int kWindowWidth = host::DocumentView::kWidth + kDesktopWidth;
inline constexpr int kWindowHeight =
    kMenuBarHeight + host::DocumentView::kHeight + kStatusBarHeight;

inline constexpr pictures::Box kCanvas{0, kMenuBarHeight, host::DocumentView::kWidth,
                                       host::DocumentView::kHeight};
// The screen's (0, 0), where a dialog at (0, 0) has its top left corner.
inline constexpr int kScreenLeft = 0;
inline constexpr int kScreenTop = kMenuBarHeight;

inline bool Inside(const pictures::Box& box, int x, int y) {
  return x >= box.left && x < box.left + box.width && y >= box.top && y < box.top + box.height;
}

// The keys the palette, the canvas and the menus tell apart; whatever else is typed arrives as
// text.
struct Modifiers {
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
  bool command = false;  // the Command (Super) key where the keyboard has one
  // There is no Command key on most PC keyboards: Ctrl+Alt stands for it.
  bool CommandHeld() const { return command || (ctrl && alt); }
};

enum class Key {
  Enter,
  Escape,
  Tab,
  Backspace,
  Delete,
  Left,
  Right,
  Home,
  End,
  Up,
  Down,
  SelectAll
};

}  // namespace tavrix::workbench
