// A person at the palette with a mouse and a keyboard: a click on a field gives it the focus
// for typing (Enter commits), a click on an arrow steps its value (Shift ten times, Ctrl a
// tenth; held, it repeats), check boxes and triangles flip, the flyout button opens the menu,
// the title bar drags the palette and its box collapses it. Every change is one session command.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <optional>

#include "pictures/CairoHandles.h"
#include "pictures/PaletteDrawing.h"
#include "session/Session.h"
#include "workbench/Commands.h"
#include "workbench/LineEditor.h"
#include "workbench/WindowLayout.h"

namespace tavrix::workbench {

// Where the palette's frame is in the window, and its parts relative to the frame.
struct PalettePlacement {
  int left = 0;
  int top = 0;
  pictures::PaletteGeometry geometry;
};

class PaletteController {
 public:
  // Holding an arrow repeats it after this long, once every interval.
  static constexpr uint32_t kRepeatDelay = 400;
  static constexpr uint32_t kRepeatInterval = 50;
  static constexpr int kMaxRepeats = app::kMostHeldRepeats;

  PaletteController(app::Session& session, Commands& commands);
  PaletteController(const PaletteController&) = delete;
  PaletteController& operator=(const PaletteController&) = delete;

  // Nothing while the palette is not open or cannot be drawn.
  std::optional<PalettePlacement> Placement();
  // Whether the point (window coordinates) is on the palette or its open menu.
  bool Covers(int x, int y);
  bool flyoutOpen() const { return flyoutOpen_; }

  // Window coordinates, times in milliseconds. MouseDown answers whether the palette took the
  // click; a click anywhere else commits the field being typed into and leaves it.
  bool MouseDown(int x, int y, Modifiers modifiers, uint32_t time);
  void MouseMove(int x, int y);
  void MouseUp(int x, int y, uint32_t time);
  // Answers whether the key was for the palette.
  bool KeyDown(Key key, Modifiers modifiers);
  bool TextInput(const std::string& text);

  // The field being typed into and its text, or null.
  const host::HostItem* FocusedField();
  const LineEditor& editor() const { return editor_; }
  // Gives the focus to the field (false when it cannot take it), as a click would.
  bool Focus(int32_t itemId);
  // Leaves the field without committing what was typed.
  void DropFocus();
  // Commits what was typed into the field, if anything was, keeping the focus; false when the
  // palette refused it.
  bool CommitTyping() { return Commit(false); }
  // Follows changes made elsewhere: a field that went away loses the focus, and one whose text
  // the palette changed before the person typed shows the new text.
  void Sync();

 private:
  struct Press {
    int32_t item;
    host::SpinArrow arrow;
    Modifiers modifiers;
    uint32_t time;
  };
  struct Drag {
    int dx;
    int dy;
  };

  bool ClickOnPalette(PalettePlacement place, int x, int y, Modifiers modifiers, uint32_t time);
  void ClickItem(const host::HostItem& item, host::SpinArrow arrow, Modifiers modifiers,
                 uint32_t time);
  // Commits what was typed, if anything was (always with `force`); false when it failed.
  bool Commit(bool force);
  void FocusNext(bool backwards);
  void StepPairedSpin(bool up, Modifiers modifiers);
  host::HostItem* LiveItem(int32_t id);

  app::Session& session_;
  Commands& commands_;
  pictures::CairoCanvas measuring_;
  bool flyoutOpen_ = false;
  std::optional<int32_t> focused_;
  LineEditor editor_;
  std::optional<Press> press_;
  std::optional<Drag> drag_;
};

// The words of one arrow click as the session says it: `spin 4 up shift`, `spin 7 down hold 12`.
std::vector<std::string> SpinWords(int32_t item, host::SpinArrow arrow, Modifiers modifiers,
                                   int repeats);
// How many repeats an arrow held this long makes; 0 for a plain click.
int RepeatsFor(uint32_t heldMilliseconds);

}  // namespace tavrix::workbench
