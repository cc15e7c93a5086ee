// Which parts a picture shows, where they go, and drawing them into one image.
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "pictures/ArtworkDrawing.h"
#include "pictures/DrawingTools.h"
#include "pictures/PaletteDrawing.h"
#include "pictures/Pictures.h"

namespace tavrix::pictures {
namespace {

constexpr int kMargin = 12;  // around the palette, on the desktop
constexpr int kGap = 16;     // between the document window and the palette
constexpr int kShadow = 3;

bool PaletteSeen(const Scene& scene) {
  return scene.palette != nullptr && scene.palette->visible && !scene.palette->destroyed;
}

bool ArtworkSeen(const Scene& scene) {
  return scene.document != nullptr && scene.view != nullptr;
}

void RequireFlyoutSeen(const Scene& scene, Show show) {
  if (show == Show::Artwork)
    throw PictureError("the flyout menu belongs to the palette: draw the palette or both");
  if (!PaletteSeen(scene)) throw PictureError("cannot show the flyout menu: the palette is hidden");
  if (scene.palette->collapsed)
    throw PictureError("cannot show the flyout menu: the palette is collapsed");
  if (!scene.palette->flyout || !scene.palette->flyout->list)
    throw PictureError("cannot show the flyout menu: the palette has none");
}

Box Offset(const Box& box, int left, int top) {
  return Box{box.left + left, box.top + top, box.width, box.height};
}

struct Plan {
  Layout layout;
  PaletteGeometry palette;  // relative to the palette's frame
};

Plan MakePlan(const Scene& scene, Show show) {
  ReleaseFontCachesAtExit();
  if (scene.flyoutOpen) RequireFlyoutSeen(scene, show);
  if (show == Show::Palette && !PaletteSeen(scene))
    throw PictureError("the palette is hidden: there is nothing of it to draw");
  if (show == Show::Artwork && !ArtworkSeen(scene))
    throw PictureError("there is no document to draw");
  if (show == Show::Both && !PaletteSeen(scene) && !ArtworkSeen(scene))
    throw PictureError("there is nothing to draw: there is no document and the palette is hidden");
  Plan plan;
  Layout& layout = plan.layout;
  layout.showsArtwork = show != Show::Palette && ArtworkSeen(scene);
  layout.showsPalette = show != Show::Artwork && PaletteSeen(scene);
  layout.showsFlyout = layout.showsPalette && scene.flyoutOpen;

  int right = 0;
  int bottom = 0;
  if (layout.showsArtwork) {
    layout.artwork = Box{0, 0, scene.view->width(), scene.view->height()};
    right = layout.artwork.width;
    bottom = layout.artwork.height;
  }
  if (layout.showsPalette) {
    const CairoCanvas measuring(CAIRO_FORMAT_RGB24, 1, 1);
    const PaletteGeometry& g = plan.palette =
        MeasurePalette(measuring.cr(), *scene.palette, layout.showsFlyout);
    const int left = layout.showsArtwork ? right + kGap : kMargin;
    const int top = kMargin;
    layout.paletteFrame = Box{left, top, g.frameWidth, g.frameHeight};
    layout.paletteClient = Offset(g.client, left, top);
    layout.flyoutButton = Offset(g.flyoutButton, left, top);
    if (layout.showsFlyout) layout.flyoutMenu = Offset(g.flyoutMenu, left, top);
    const Box& menu = layout.flyoutMenu;
    right = std::max({right, left + g.frameWidth + kShadow + kMargin,
                      menu.left + menu.width + kShadow + kMargin});
    bottom = std::max({bottom, top + g.frameHeight + kShadow + kMargin,
                       menu.top + menu.height + kShadow + kMargin});
  }
  layout.width = right;
  layout.height = bottom;
  return plan;
}

}  // namespace

void ReleaseFontCachesAtExit() {
  static const bool registered = [] {
    std::atexit([] {
      cairo_debug_reset_static_data();
      FcFini();
    });
    return true;
  }();
  static_cast<void>(registered);
}

Layout PlanPicture(const Scene& scene, Show show) {
  return MakePlan(scene, show).layout;
}

Picture Render(const Scene& scene, Show show, int scale) {
  const Plan plan = MakePlan(scene, show);
  const Layout& layout = plan.layout;
  Picture picture{Image(layout.width, layout.height, scale), layout};
  const CairoContext context(cairo_create(picture.image.surface()));
  cairo_t* cr = context.get();
  cairo_scale(cr, scale, scale);
  SetColour(cr, kDesktop);
  cairo_paint(cr);
  if (layout.showsArtwork) {
    cairo_save(cr);
    cairo_translate(cr, layout.artwork.left, layout.artwork.top);
    DrawArtwork(cr, *scene.document, *scene.view, scene.currentPoint, scene.drawing);
    cairo_restore(cr);
  }
  if (layout.showsPalette) {
    cairo_save(cr);
    cairo_translate(cr, layout.paletteFrame.left, layout.paletteFrame.top);
    DrawPalette(cr, *scene.palette, plan.palette);
    cairo_restore(cr);
  }
  CheckCairo(cr, "the picture");
  cairo_surface_flush(picture.image.surface());
  return picture;
}

std::string DescribeContents(const Layout& layout) {
  std::string palette =
      layout.showsFlyout ? "the palette with its flyout menu open" : "the palette";
  if (layout.showsArtwork && layout.showsPalette) return "the artwork and " + palette;
  if (layout.showsArtwork) return "the artwork";
  return palette;
}

}  // namespace tavrix::pictures
