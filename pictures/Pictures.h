// Pictures of what a person would see: the palette as the stand-in dialog manager holds it, and
// the document window at its zoom and scroll with the selection and the annotator's strokes.
// Drawn with cairo into an image in memory and written as PNG.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

#include "host/artwork/Document.h"
#include "host/dialog/DialogObjects.h"
#include "host/view/DocumentView.h"
#include "pictures/CairoHandles.h"

namespace tavrix::pictures {

// Whatever stops a picture from being made or written, said so that a person can act on it.
class PictureError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct Rgb {
  uint8_t r = 0;
  uint8_t g = 0;
  uint8_t b = 0;
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
  bool operator!=(const Rgb& o) const { return !(*this == o); }
};

// An opaque picture. Sizes and positions are in screen pixels (1:1); `scale` device pixels are
// drawn for each, so that a picture looked at closely stays crisp.
class Image {
 public:
  static constexpr int kMaxScale = 4;
  // Throws PictureError for a size or scale cairo cannot hold.
  Image(int width, int height, int scale);

  int width() const { return width_; }
  int height() const { return height_; }
  int scale() const { return scale_; }
  int pixelWidth() const;
  int pixelHeight() const;
  cairo_surface_t* surface() const { return surface_.get(); }

  // The colour of the device pixel under the screen point (x, y); throws std::out_of_range
  // outside the picture.
  Rgb At(double x, double y) const;
  Rgb Pixel(int deviceX, int deviceY) const;

  // Throws PictureError naming the file and why it could not be written.
  void WritePng(const std::string& path) const;
  // A PNG read back, at scale 1 unless said otherwise. Throws PictureError naming the file.
  static Image ReadPng(const std::string& path, int scale = 1);

 private:
  Image(CairoSurface surface, int scale);
  CairoSurface surface_;
  int width_ = 0;
  int height_ = 0;
  int scale_ = 1;
};

class LooksPicture;

enum class Show { Palette, Artwork, Both };

struct AnchorRef {
  size_t path = 0;
  size_t anchor = 0;
};

// What the palette shows: the first selected path and its first anchor whose anchor point
// itself is selected. Nothing when no path is selected or no anchor of it is.
std::optional<AnchorRef> FindCurrentPoint(const host::Document& document);

// Everything a picture may show. Null parts are not there to be seen.
struct Scene {
  const host::HostDialog* palette = nullptr;
  const host::Document* document = nullptr;
  const host::DocumentView* view = nullptr;
  std::optional<AnchorRef> currentPoint;  // highlighted on the artwork
  bool flyoutOpen = false;
  // The drawing as it looks, under the editing layer; without it the paths are drawn as thin
  // black outlines.
  const LooksPicture* drawing = nullptr;
};

struct Box {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// Where each part lies in the picture, in screen pixels. The artwork part is the document
// window's content: a view pixel (h, v) is the picture's pixel at artwork.left + h, .top + v.
// Palette items' bounds are relative to the palette's client area.
struct Layout {
  int width = 0;
  int height = 0;
  bool showsArtwork = false;
  bool showsPalette = false;
  bool showsFlyout = false;
  Box artwork;
  Box paletteFrame;   // the window with its border and title bar
  Box paletteClient;  // where items are; empty when collapsed
  Box flyoutButton;
  Box flyoutMenu;
};

// Which parts a picture of `show` holds, and where. Throws PictureError when nothing asked for
// can be seen: no document window, a hidden palette, a flyout menu of a collapsed palette.
// With Show::Both a part that cannot be seen is left out as long as the other can be.
Layout PlanPicture(const Scene& scene, Show show);

struct Picture {
  Image image;
  Layout layout;
};

Picture Render(const Scene& scene, Show show, int scale);

// "the palette and the artwork", "the palette with its flyout menu", ... for messages.
std::string DescribeContents(const Layout& layout);

// cairo and fontconfig keep the fonts they found for the life of the process. Handing them back
// at exit, when no picture is left, keeps leak checkers to real leaks: whatever first sets the
// dialog font arranges it.
void ReleaseFontCachesAtExit();

}  // namespace tavrix::pictures
