// Whatever draws the drawing as it looks under the editing layer: the whole drawing read at
// once, or, during a drag, the drawing in layers around the dragged element.
#pragma once

#include <cairo.h>

#include "host/view/DocumentView.h"

namespace tavrix::pictures {

class LooksPicture {
 public:
  virtual ~LooksPicture() = default;
  // Draws the view's pixels inside the context's clip (without a background) with the view's
  // top left corner at the context's origin; an artwork point lands on the centre of the pixel
  // the host's ArtworkToView names. Throws PictureError when it cannot be drawn.
  virtual void Draw(cairo_t* cr, const host::DocumentView& view) const = 0;
};

}  // namespace tavrix::pictures
