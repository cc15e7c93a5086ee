// The drawing as it looks: the document's SVG text, the very text `save` writes, drawn by
// librsvg (fills, strokes, gradients, text, `use`, images, opacity) at the document window's
// zoom and scroll. The root's user space is laid onto the artwork's coordinates exactly as the
// host reads the file (one user unit a point, v = -y, the root's viewBox not scaling), so the
// editing layer drawn over it meets the shapes at every zoom.
#pragma once

#include <cairo.h>

#include <memory>
#include <string>

#include "host/view/DocumentView.h"
#include "pictures/LooksPicture.h"

namespace tavrix::pictures {

class DrawingPicture : public LooksPicture {
 public:
  // Reads the text; `baseFile` (the drawing's file, or empty) is where relative references such
  // as images are found. Throws PictureError with librsvg's reason.
  DrawingPicture(const std::string& text, const std::string& baseFile);
  ~DrawingPicture() override;
  DrawingPicture(const DrawingPicture&) = delete;
  DrawingPicture& operator=(const DrawingPicture&) = delete;

  const std::string& text() const { return text_; }
  const std::string& baseFile() const { return baseFile_; }

  // Draws the view's width x height pixels (without a background) with the top left corner at
  // the context's origin; an artwork point lands on the centre of the pixel the host's
  // ArtworkToView names. Throws PictureError when librsvg cannot draw it.
  void Draw(cairo_t* cr, const host::DocumentView& view) const override;

 private:
  struct Handle;
  std::unique_ptr<Handle> handle_;
  std::string text_;
  std::string baseFile_;
};

// The last drawing read, kept while its text stays the same: scrolling or zooming draws it again
// without reading it again.
class DrawingPictureCache {
 public:
  // Null, with `error` saying why, when the text cannot be read.
  const DrawingPicture* For(const std::string& text, const std::string& baseFile,
                            std::string& error);

 private:
  std::unique_ptr<DrawingPicture> picture_;
  std::string failedText_;
  std::string failure_;
};

}  // namespace tavrix::pictures
