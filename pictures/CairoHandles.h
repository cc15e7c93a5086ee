// Owners for cairo's handles: each is destroyed once, also when a throw leaves early.
#pragma once

#include <cairo.h>

#include <memory>

namespace tavrix::pictures {

struct CairoRelease {
  void operator()(cairo_t* handle) const { cairo_destroy(handle); }
  void operator()(cairo_surface_t* handle) const { cairo_surface_destroy(handle); }
  void operator()(cairo_pattern_t* handle) const { cairo_pattern_destroy(handle); }
  void operator()(cairo_font_options_t* handle) const { cairo_font_options_destroy(handle); }
};

using CairoContext = std::unique_ptr<cairo_t, CairoRelease>;
using CairoSurface = std::unique_ptr<cairo_surface_t, CairoRelease>;
using CairoPattern = std::unique_ptr<cairo_pattern_t, CairoRelease>;
using CairoFontOptions = std::unique_ptr<cairo_font_options_t, CairoRelease>;

// An image surface and a context that draws on it: for drawing off screen, or, one pixel
// large, for measuring text before a picture's size is known.
class CairoCanvas {
 public:
  CairoCanvas(cairo_format_t format, int width, int height)
      : surface_(cairo_image_surface_create(format, width, height)),
        context_(cairo_create(surface_.get())) {}

  cairo_surface_t* surface() const { return surface_.get(); }
  cairo_t* cr() const { return context_.get(); }

 private:
  CairoSurface surface_;  // made first, so destroyed after the context that draws on it
  CairoContext context_;
};

}  // namespace tavrix::pictures
