#include "pictures/LayeredPicture.h"

#include <cmath>

#include "pictures/Pictures.h"

namespace tavrix::pictures {

bool LayeredPicture::Placement::operator==(const Placement& o) const {
  return zoom == o.zoom && left == o.left && top == o.top && x == o.x && y == o.y &&
         width == o.width && height == o.height && scaleX == o.scaleX && scaleY == o.scaleY;
}

LayeredPicture::LayeredPicture(const LayerTexts& layers, const std::string& baseFile,
                               LayerSurfaces spare)
    : under_(std::make_unique<DrawingPicture>(layers.under, baseFile)),
      element_(std::make_unique<DrawingPicture>(layers.element, baseFile)),
      over_(std::make_unique<DrawingPicture>(layers.over, baseFile)),
      surfaces_(std::move(spare)) {}

bool LayeredPicture::SameSurroundings(const LayerTexts& layers, const std::string& baseFile) const {
  return under_->baseFile() == baseFile && under_->text() == layers.under &&
         over_->text() == layers.over;
}

void LayeredPicture::ChangeElement(const std::string& text) {
  element_ = std::make_unique<DrawingPicture>(text, under_->baseFile());
}

LayeredPicture::Placement LayeredPicture::PlacementOf(cairo_t* cr, const host::DocumentView& view) {
  Placement place;
  place.zoom = view.zoom();
  place.left = view.origin().h;
  place.top = view.origin().v;
  double x2 = 0, y2 = 0;
  cairo_clip_extents(cr, &place.x, &place.y, &x2, &y2);
  place.width = x2 - place.x;
  place.height = y2 - place.y;
  place.scaleX = 1;
  place.scaleY = 1;
  cairo_user_to_device_distance(cr, &place.scaleX, &place.scaleY);
  return place;
}

void LayeredPicture::DrawLayer(CairoSurface& surface, const DrawingPicture& picture,
                               const Placement& place, const host::DocumentView& view,
                               bool onWhite) {
  const int pixelWidth = static_cast<int>(std::ceil(place.width * std::fabs(place.scaleX)));
  const int pixelHeight = static_cast<int>(std::ceil(place.height * std::fabs(place.scaleY)));
  if (!surface || cairo_image_surface_get_width(surface.get()) != pixelWidth ||
      cairo_image_surface_get_height(surface.get()) != pixelHeight) {
    surface.reset(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixelWidth, pixelHeight));
  }
  cairo_surface_set_device_scale(surface.get(), place.scaleX, place.scaleY);
  const CairoContext cr(cairo_create(surface.get()));
  cairo_set_operator(cr.get(), CAIRO_OPERATOR_SOURCE);
  cairo_set_source_rgba(cr.get(), 1, 1, 1, onWhite ? 1 : 0);
  cairo_paint(cr.get());
  cairo_set_operator(cr.get(), CAIRO_OPERATOR_OVER);
  // The layer's pixels are the window's pixels from the clip's corner on.
  cairo_translate(cr.get(), -place.x, -place.y);
  picture.Draw(cr.get(), view);
  cairo_surface_flush(surface.get());
  if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS) {
    const std::string reason = cairo_status_to_string(cairo_status(cr.get()));
    surface.reset();
    throw PictureError("a layer of the drawing cannot be drawn: " + reason);
  }
}

void LayeredPicture::Draw(cairo_t* cr, const host::DocumentView& view) const {
  const Placement place = PlacementOf(cr, view);
  if (!drawnFor_ || !(place == *drawnFor_)) {
    drawnFor_.reset();
    DrawLayer(surfaces_.under, *under_, place, view, true);
    DrawLayer(surfaces_.over, *over_, place, view, false);
    drawnFor_ = place;
  }
  cairo_save(cr);
  cairo_set_source_surface(cr, surfaces_.under.get(), place.x, place.y);
  cairo_paint(cr);
  cairo_restore(cr);
  element_->Draw(cr, view);
  cairo_save(cr);
  cairo_set_source_surface(cr, surfaces_.over.get(), place.x, place.y);
  cairo_paint(cr);
  cairo_restore(cr);
}

const LooksPicture* LayeredPictureCache::For(const LayerTexts& layers, const std::string& baseFile,
                                             std::string& error) {
  try {
    if (picture_ && picture_->SameSurroundings(layers, baseFile)) {
      if (picture_->elementText() != layers.element) picture_->ChangeElement(layers.element);
    } else {
      Forget();
      picture_ = std::make_unique<LayeredPicture>(layers, baseFile, std::move(spare_));
    }
  } catch (const PictureError& refused) {
    Forget();
    error = refused.what();
    return nullptr;
  }
  return picture_.get();
}

void LayeredPictureCache::Forget() {
  if (!picture_) return;
  spare_ = picture_->TakeSurfaces();
  picture_.reset();
}

}  // namespace tavrix::pictures
