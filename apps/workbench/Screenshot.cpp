#include "workbench/Screenshot.h"

#include <cctype>

#include "pictures/Pictures.h"

namespace tavrix::workbench {

bool NamesPng(const std::string& path) {
  if (path.size() < 5) return false;
  std::string suffix = path.substr(path.size() - 4);
  for (char& c : suffix) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return suffix == ".png";
}

void WriteScreenshot(SDL_Renderer* renderer, const std::string& path) {
  int width = 0;
  int height = 0;
  if (SDL_GetRendererOutputSize(renderer, &width, &height) != 0)
    throw pictures::PictureError(std::string("cannot read the window: ") + SDL_GetError());
  pictures::Image image(width, height, 1);
  cairo_surface_t* surface = image.surface();
  cairo_surface_flush(surface);
  // cairo's opaque pixels are SDL's RGB888: one 32-bit word each, red in bits 16 to 23.
  if (SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_RGB888,
                           cairo_image_surface_get_data(surface),
                           cairo_image_surface_get_stride(surface)) != 0)
    throw pictures::PictureError(std::string("cannot read the window: ") + SDL_GetError());
  cairo_surface_mark_dirty(surface);
  image.WritePng(path);
}

}  // namespace tavrix::workbench
