// The document window's content: the paths at the view's zoom and scroll, the selection as the
// host marks it, the palette's current point, and what the annotator drew in the last pass.
#pragma once

#include <cairo.h>

#include <optional>

#include "host/artwork/Document.h"
#include "host/view/DocumentView.h"
#include "pictures/LooksPicture.h"
#include "pictures/Pictures.h"

namespace tavrix::pictures {

// Draws the view's width x height pixels with its top left corner at the context's origin.
// A view pixel (h, v) is the square from (h, v) to (h + 1, v + 1). With `drawing`, the drawing as
// it looks is under the editing layer (the selected paths in blue, anchors, handles, the current
// point, the annotator's strokes); without it, or when it cannot be drawn, every path is a thin
// outline.
void DrawArtwork(cairo_t* cr, const host::Document& document, const host::DocumentView& view,
                 const std::optional<AnchorRef>& currentPoint,
                 const LooksPicture* drawing = nullptr);

}  // namespace tavrix::pictures
