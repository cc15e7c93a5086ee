// Where the workbench window puts its parts. The document window's content is the host's view
// (1024 x 768 pixels when the window first opens; it follows the window's size) under the menu
// bar, with room for the palette at its right; the palette floats where its dialog's bounds say,
// the part of the window under the menu bar standing for the screen; a status line runs along
// the bottom.
#pragma once

#include "host/view/DocumentView.h"
#include "pictures/Pictures.h"

namespace tavrix::workbench {

inline constexpr int kMenuBarHeight = 22;
inline constexpr int kStatusBarHeight = 22;
// Room right of the document window, where the palette can be put out of the artwork's way.
inline constexpr int kDesktopWidth = 440;

// The window's size, kept with the preferences from one run to the next.
inline constexpr char kWindowSizePreference[] = "TavrixWorkbench/windowSize";

// The window's size when the view has this size, and the view's size in a window of that size.
struct WindowSize {
  int width = 0;
  int height = 0;
};
inline constexpr WindowSize WindowAround(int viewWidth, int viewHeight) {
  return {viewWidth + kDesktopWidth, kMenuBarHeight + viewHeight + kStatusBarHeight};
}
inline WindowSize WindowAround(const host::DocumentView& view) {
  return WindowAround(view.width(), view.height());
}
inline constexpr WindowSize ViewInside(int windowWidth, int windowHeight) {
  return {windowWidth - kDesktopWidth, windowHeight - kMenuBarHeight - kStatusBarHeight};
}
// The smallest and the largest window: the view at its smallest and largest.
inline constexpr WindowSize kSmallestWindow =
    WindowAround(host::DocumentView::kMinSide, host::DocumentView::kMinSide);
inline constexpr WindowSize kLargestWindow =
    WindowAround(host::DocumentView::kMaxSide, host::DocumentView::kMaxSide);

// The document window within the workbench's window.
inline pictures::Box CanvasBox(const host::DocumentView& view) {
  return {0, kMenuBarHeight, view.width(), view.height()};
}

// The window and the document window as they first open.
inline constexpr WindowSize kFirstWindow =
    WindowAround(host::DocumentView::kDefaultWidth, host::DocumentView::kDefaultHeight);
inline constexpr pictures::Box kFirstCanvas{0, kMenuBarHeight, host::DocumentView::kDefaultWidth,
                                            host::DocumentView::kDefaultHeight};
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
