// A person at the document window: a click on an anchor selects it (its path shows its
// handles), on a handle's end selects that handle, on a path selects the whole path, on nothing
// deselects; dragging where there is nothing (or with the middle or right button anywhere)
// scrolls, the wheel zooms about the mouse. Every change is one session command, through the
// host's view.
#pragma once

#include <optional>

#include "session/Session.h"
#include "workbench/CanvasHits.h"
#include "workbench/Commands.h"
#include "workbench/WindowLayout.h"

namespace tavrix::workbench {

enum class Button { Left, Middle, Right };

class CanvasController {
 public:
  // A drag shorter than this is still a click.
  static constexpr int kDragThreshold = 3;
  // One notch of the wheel zooms by this much.
  static constexpr double kWheelFactor = 1.25;

  CanvasController(app::Session& session, Commands& commands)
      : session_(session), commands_(commands) {}

  // Window coordinates. MouseDown answers whether the click was in the document window.
  bool MouseDown(int x, int y, Button button);
  void MouseMove(int x, int y);
  void MouseUp(int x, int y);
  void Wheel(int x, int y, double notches);

  // The View menu: zooming about the window's middle, every path in view, 100 %.
  void ZoomBy(double factor);
  void FitArtwork();
  void ActualSize();

  // The artwork point under the mouse, while it is over the document window.
  std::optional<ArtworkPoint> pointer() const { return pointer_; }

 private:
  struct Press {
    int x;
    int y;
    bool scrolls;  // a drag from here scrolls the view
    bool onNothing;
    bool dragged;
  };

  void Place(const ViewPlace& place);
  host::Document* Document() { return session_.host().document(); }

  app::Session& session_;
  Commands& commands_;
  std::optional<Press> press_;
  int lastX_ = 0;
  int lastY_ = 0;
  std::optional<ArtworkPoint> pointer_;
};

}  // namespace tavrix::workbench
