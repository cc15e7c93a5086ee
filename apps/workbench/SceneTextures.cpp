#include "workbench/SceneTextures.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "pictures/ArtworkDrawing.h"
#include "pictures/CairoHandles.h"
#include "pictures/DrawingTools.h"
#include "pictures/PaletteDrawing.h"

namespace tavrix::workbench {
namespace {

constexpr int kShadow = 4;  // the palette's and the menu's shadows reach past their boxes

[[noreturn]] void SdlFailure(const std::string& what) {
  throw std::runtime_error(what + ": " + SDL_GetError());
}

void Upload(SDL_Texture* texture, const pictures::CairoCanvas& image) {
  cairo_surface_flush(image.surface());
  if (SDL_UpdateTexture(texture, nullptr, cairo_image_surface_get_data(image.surface()),
                        cairo_image_surface_get_stride(image.surface())) != 0)
    SdlFailure("cannot show the picture");
}

// The text typed so far over the field's box: all of it highlighted while it is selected,
// otherwise a caret, the text slid left when the caret would leave the box.
void DrawFieldEdit(cairo_t* cr, const host::HostItem& field, const LineEditor& editor) {
  using namespace pictures;
  const double left = field.bounds.left;
  const double top = field.bounds.top;
  const double width = field.bounds.right - left;
  const double height = field.bounds.bottom - top;
  if (width < 8 || height < 4) return;
  cairo_save(cr);
  cairo_rectangle(cr, left, top, width, height);
  cairo_clip(cr);
  SetColour(cr, kWhite);
  cairo_paint(cr);
  UseDialogFont(cr);
  const double room = width - 6;
  const double caretX = TextWidth(cr, editor.text().substr(0, editor.caret()));
  const double slide = std::max(0.0, caretX - room + 1);
  const double textLeft = left + 3 - slide;
  if (editor.allSelected() && !editor.text().empty()) {
    cairo_set_source_rgb(cr, 0.70, 0.82, 0.98);
    cairo_rectangle(cr, textLeft - 1, top + 2, TextWidth(cr, editor.text()) + 2, height - 4);
    cairo_fill(cr);
  }
  DrawText(cr, editor.text(), textLeft, top + 1, std::max(room, TextWidth(cr, editor.text()) + 2),
           height - 2, Align::Left, kText);
  if (!editor.allSelected()) {
    SetColour(cr, kText);
    cairo_rectangle(cr, std::floor(textLeft + caretX), top + 3, 1, height - 6);
    cairo_fill(cr);
  }
  // The focus ring, two pixels of the selection's blue.
  SetColour(cr, kSelection);
  cairo_set_line_width(cr, 2);
  cairo_rectangle(cr, left + 1, top + 1, width - 2, height - 2);
  cairo_stroke(cr);
  cairo_restore(cr);
}

}  // namespace

SceneTextures::SceneTextures(SDL_Renderer* renderer) : renderer_(renderer) {}

SceneTextures::~SceneTextures() {
  if (palette_ != nullptr) SDL_DestroyTexture(palette_);
  if (artwork_ != nullptr) SDL_DestroyTexture(artwork_);
}

void SceneTextures::Update(const pictures::Scene& scene, const pictures::Box& canvas,
                           const std::optional<PalettePlacement>& place, const FieldEdit& edit) {
  if (artwork_ == nullptr || canvas.width != canvas_.width || canvas.height != canvas_.height) {
    if (artwork_ != nullptr) SDL_DestroyTexture(artwork_);
    artwork_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                 canvas.width, canvas.height);
    if (artwork_ == nullptr) SdlFailure("cannot make the document window's image");
  }
  canvas_ = canvas;
  UpdateArtwork(scene);
  place_.reset();
  if (scene.palette != nullptr && place) {
    UpdatePalette(*scene.palette, *place, edit);
    place_ = place;
  }
}

void SceneTextures::UpdateArtwork(const pictures::Scene& scene) {
  using namespace pictures;
  pictures::CairoCanvas image(CAIRO_FORMAT_RGB24, canvas_.width, canvas_.height);
  if (scene.document != nullptr && scene.view != nullptr) {
    DrawArtwork(image.cr(), *scene.document, *scene.view, scene.currentPoint, scene.drawing);
  } else {
    SetColour(image.cr(), kDesktop);
    cairo_paint(image.cr());
    UseDialogFont(image.cr());
    DrawText(image.cr(), "No document: File > New makes one, File > Open reads an SVG drawing.", 0,
             0, canvas_.width, canvas_.height, Align::Centre, kText);
  }
  CheckCairo(image.cr(), "the document window");
  Upload(artwork_, image);
}

void SceneTextures::UpdatePalette(const host::HostDialog& palette, const PalettePlacement& place,
                                  const FieldEdit& edit) {
  using namespace pictures;
  const PaletteGeometry& g = place.geometry;
  const int width = std::max(g.frameWidth, g.flyoutMenu.left + g.flyoutMenu.width) + kShadow;
  const int height = std::max(g.frameHeight, g.flyoutMenu.top + g.flyoutMenu.height) + kShadow;
  if (palette_ == nullptr || width != paletteWidth_ || height != paletteHeight_) {
    if (palette_ != nullptr) SDL_DestroyTexture(palette_);
    palette_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                 width, height);
    if (palette_ == nullptr) SdlFailure("cannot make the palette's image");
    SDL_SetTextureBlendMode(palette_, SDL_BLENDMODE_BLEND);
    paletteWidth_ = width;
    paletteHeight_ = height;
  }
  pictures::CairoCanvas image(CAIRO_FORMAT_ARGB32, width, height);
  DrawPalette(image.cr(), palette, g);
  // An open menu is in front of everything; no field has the focus meanwhile.
  if (edit.field != nullptr && edit.editor != nullptr && g.client.width > 0 &&
      g.flyoutMenu.width == 0) {
    cairo_save(image.cr());
    cairo_rectangle(image.cr(), g.client.left, g.client.top, g.client.width, g.client.height);
    cairo_clip(image.cr());
    cairo_translate(image.cr(), g.client.left, g.client.top);
    DrawFieldEdit(image.cr(), *edit.field, *edit.editor);
    cairo_restore(image.cr());
  }
  CheckCairo(image.cr(), "the palette");
  Upload(palette_, image);
}

void SceneTextures::Copy() {
  if (artwork_ == nullptr) return;
  const SDL_Rect canvas{canvas_.left, canvas_.top, canvas_.width, canvas_.height};
  SDL_RenderCopy(renderer_, artwork_, nullptr, &canvas);
  if (place_ && palette_ != nullptr) {
    const SDL_Rect where{place_->left, place_->top, paletteWidth_, paletteHeight_};
    SDL_RenderCopy(renderer_, palette_, nullptr, &where);
  }
}

}  // namespace tavrix::workbench
