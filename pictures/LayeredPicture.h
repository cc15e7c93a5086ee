// The drawing during a drag: what lies under the dragged element and what lies over it are read
// and drawn once for the view, and each frame only the element is read and drawn between them.
// The layers come from the session (Session::DrawingLayersAround), which splits the drawing only
// where laying them over one another gives the whole drawing.
#pragma once

#include <cairo.h>

#include <memory>
#include <optional>
#include <string>

#include "host/view/DocumentView.h"
#include "pictures/CairoHandles.h"
#include "pictures/DrawingPicture.h"
#include "pictures/LooksPicture.h"

namespace tavrix::pictures {

struct LayerTexts {
  std::string under, element, over;
};

// Where the layers under and over the element are drawn. Kept from one drag to the next: fresh
// memory for a window's pixels costs more than drawing into it.
struct LayerSurfaces {
  CairoSurface under, over;
};

class LayeredPicture : public LooksPicture {
 public:
  // Reads the three layers; `spare` are drawn into again when they are of the right size.
  // Throws PictureError with librsvg's reason.
  LayeredPicture(const LayerTexts& layers, const std::string& baseFile, LayerSurfaces spare = {});

  bool SameSurroundings(const LayerTexts& layers, const std::string& baseFile) const;
  // Reads the element's layer again. Throws PictureError.
  void ChangeElement(const std::string& text);
  const std::string& elementText() const { return element_->text(); }
  LayerSurfaces TakeSurfaces() { return std::move(surfaces_); }

  // The layer under the element is drawn onto white, the window's background, so that it comes
  // out as the whole drawing would; the layers under and over are drawn again only when the
  // view, the clip or the device's scale changed.
  void Draw(cairo_t* cr, const host::DocumentView& view) const override;

 private:
  struct Placement {
    double zoom = 0, left = 0, top = 0;
    double x = 0, y = 0, width = 0, height = 0;  // the clip, in the context's units
    double scaleX = 0, scaleY = 0;               // device pixels to one of those units
    bool operator==(const Placement& o) const;
  };
  static Placement PlacementOf(cairo_t* cr, const host::DocumentView& view);
  // Draws the layer into `surface`, made anew unless it has the size wanted.
  static void DrawLayer(CairoSurface& surface, const DrawingPicture& picture,
                        const Placement& place, const host::DocumentView& view, bool onWhite);

  std::unique_ptr<DrawingPicture> under_, element_, over_;
  mutable LayerSurfaces surfaces_;
  mutable std::optional<Placement> drawnFor_;
};

// The layered picture of the drag going on, kept from frame to frame while what lies under and
// over the element stays the same.
class LayeredPictureCache {
 public:
  // Null, with `error` saying why, when a layer cannot be read.
  const LooksPicture* For(const LayerTexts& layers, const std::string& baseFile,
                          std::string& error);
  // The drag is over: the layers are let go, their surfaces kept for the next drag.
  void Forget();

 private:
  std::unique_ptr<LayeredPicture> picture_;
  LayerSurfaces spare_;
};

}  // namespace tavrix::pictures
