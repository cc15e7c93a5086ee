// A person at the document window with the host's Direct Selection tool: a click on an anchor
// selects it (its path shows its handles), on a handle's end selects that handle, on a path's
// stroke or inside its fill selects the whole path, on nothing deselects. Dragging an anchor
// moves it with its handles, dragging a handle's end moves that handle (Shift keeps the drag
// horizontal, vertical or at 45 degrees): the drag is shown as it goes and becomes one session
// command, `drag`, when the button is let go. Dragging where there is nothing (or with the
// middle or right button anywhere) scrolls, the wheel zooms about the mouse.
#pragma once

#include <optional>

#include "host/DirectSelection.h"
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
  void MouseMove(int x, int y, Modifiers modifiers = {});
  void MouseUp(int x, int y);
  // Puts a part being dragged back where it was (Escape); false when nothing was dragged.
  bool CancelDrag();
  bool dragging() const { return drag_.has_value(); }
  // The document's path whose part is being dragged.
  std::optional<size_t> draggedPath() const {
    return drag_ ? std::optional<size_t>(drag_->target().path) : std::nullopt;
  }
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
  // A press on an anchor or a handle's end that was just selected: a drag may follow.
  void ArmDrag(const ArtworkHit& hit);
  void DragTo(int x, int y, Modifiers modifiers);
  void FinishDrag();
  host::Document* Document() { return session_.host().document(); }
  // The document window within the workbench's window: the view's size, under the menu bar.
  pictures::Box Canvas() { return CanvasBox(session_.host().view()); }

  app::Session& session_;
  Commands& commands_;
  std::optional<Press> press_;
  int lastX_ = 0;
  int lastY_ = 0;
  std::optional<ArtworkPoint> pointer_;
  std::optional<host::DragPreview> drag_;
  std::optional<RealPoint> dragEnd_;  // where the dragged part is now, once it moved
};

}  // namespace tavrix::workbench
