#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <utility>

#include "pictures/Pictures.h"

namespace tavrix::pictures {
namespace {

// cairo's own limit for a side, and a bound on memory: 256 MB of pixels.
constexpr int64_t kMaxSide = 32767;
constexpr int64_t kMaxPixels = 64LL * 1024 * 1024;

std::string Lowercased(std::string text) {
  if (!text.empty() && text[0] >= 'A' && text[0] <= 'Z') text[0] = static_cast<char>(text[0] + 32);
  return text;
}

// Why a PNG could not be written there, in the words a person would look for.
std::string WhyNotWritten(const std::string& path, cairo_status_t status, int savedErrno) {
  namespace fs = std::filesystem;
  std::error_code ignored;
  const fs::path file(path);
  if (fs::is_directory(file, ignored)) return "it is a folder";
  const fs::path folder = file.parent_path();
  if (!folder.empty()) {
    if (!fs::exists(folder, ignored)) return "the folder '" + folder.string() + "' does not exist";
    if (!fs::is_directory(folder, ignored)) return "'" + folder.string() + "' is not a folder";
  }
  if (savedErrno != 0) return Lowercased(std::strerror(savedErrno));
  return cairo_status_to_string(status);
}

}  // namespace

Image::Image(int width, int height, int scale) : width_(width), height_(height), scale_(scale) {
  if (scale < 1 || scale > kMaxScale)
    throw PictureError("a picture's scale is 1 to " + std::to_string(kMaxScale) + ", not " +
                       std::to_string(scale));
  const int64_t deviceWidth = int64_t{width} * scale;
  const int64_t deviceHeight = int64_t{height} * scale;
  if (width < 1 || height < 1 || deviceWidth > kMaxSide || deviceHeight > kMaxSide ||
      deviceWidth * deviceHeight > kMaxPixels) {
    throw PictureError("a picture of " + std::to_string(width) + " x " + std::to_string(height) +
                       " pixels at scale " + std::to_string(scale) +
                       " cannot be drawn: at most 32767 pixels a side and 64 million in all");
  }
  CairoSurface surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, static_cast<int>(deviceWidth),
                                                  static_cast<int>(deviceHeight)));
  const cairo_status_t status = cairo_surface_status(surface.get());
  if (status != CAIRO_STATUS_SUCCESS)
    throw PictureError(std::string("cannot make a picture: ") + cairo_status_to_string(status));
  surface_ = std::move(surface);
}

Image::Image(CairoSurface surface, int scale)
    : surface_(std::move(surface)),
      width_(cairo_image_surface_get_width(surface_.get()) / scale),
      height_(cairo_image_surface_get_height(surface_.get()) / scale),
      scale_(scale) {}

int Image::pixelWidth() const {
  return surface_ == nullptr ? 0 : cairo_image_surface_get_width(surface_.get());
}

int Image::pixelHeight() const {
  return surface_ == nullptr ? 0 : cairo_image_surface_get_height(surface_.get());
}

Rgb Image::At(double x, double y) const {
  const double deviceX = std::floor(x * scale_);
  const double deviceY = std::floor(y * scale_);
  // Out of the picture, and never out of an int's range, before it becomes one.
  const bool inside =
      deviceX >= 0 && deviceY >= 0 && deviceX < pixelWidth() && deviceY < pixelHeight();
  return Pixel(inside ? static_cast<int>(deviceX) : -1, inside ? static_cast<int>(deviceY) : -1);
}

Rgb Image::Pixel(int deviceX, int deviceY) const {
  if (surface_ == nullptr || deviceX < 0 || deviceY < 0 || deviceX >= pixelWidth() ||
      deviceY >= pixelHeight()) {
    throw std::out_of_range("no device pixel (" + std::to_string(deviceX) + ", " +
                            std::to_string(deviceY) + ") in a picture of " +
                            std::to_string(pixelWidth()) + " x " + std::to_string(pixelHeight()));
  }
  cairo_surface_flush(surface_.get());
  const unsigned char* row =
      cairo_image_surface_get_data(surface_.get()) +
      static_cast<ptrdiff_t>(deviceY) * cairo_image_surface_get_stride(surface_.get());
  uint32_t word = 0;
  std::memcpy(&word, row + static_cast<ptrdiff_t>(deviceX) * 4, sizeof word);
  int r = static_cast<int>((word >> 16) & 0xFF);
  int g = static_cast<int>((word >> 8) & 0xFF);
  int b = static_cast<int>(word & 0xFF);
  // A PNG with transparency reads back premultiplied; what shows is it over white.
  if (cairo_image_surface_get_format(surface_.get()) == CAIRO_FORMAT_ARGB32) {
    const int alpha = static_cast<int>(word >> 24);
    r += 255 - alpha;
    g += 255 - alpha;
    b += 255 - alpha;
  }
  return Rgb{static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b)};
}

void Image::WritePng(const std::string& path) const {
  if (path.empty()) throw PictureError("cannot write a picture: no file name was given");
  if (surface_ == nullptr) throw PictureError("cannot write '" + path + "': there is no picture");
  // A pipe or a device named like a picture would block the program or take the bytes.
  std::error_code error;
  const std::filesystem::file_status existing = std::filesystem::status(path, error);
  if (!error && std::filesystem::exists(existing) && !std::filesystem::is_regular_file(existing)) {
    throw PictureError(
        "cannot write the picture to '" + path + "': it is " +
        (std::filesystem::is_directory(existing) ? "a folder" : "not a regular file"));
  }
  errno = 0;
  const cairo_status_t status = cairo_surface_write_to_png(surface_.get(), path.c_str());
  const int savedErrno = errno;
  if (status != CAIRO_STATUS_SUCCESS) {
    throw PictureError("cannot write the picture to '" + path +
                       "': " + WhyNotWritten(path, status, savedErrno));
  }
}

Image Image::ReadPng(const std::string& path, int scale) {
  if (scale < 1 || scale > kMaxScale)
    throw PictureError("a picture's scale is 1 to " + std::to_string(kMaxScale));
  CairoSurface surface(cairo_image_surface_create_from_png(path.c_str()));
  const cairo_status_t status = cairo_surface_status(surface.get());
  if (status != CAIRO_STATUS_SUCCESS)
    throw PictureError("cannot read the picture '" + path + "': " + cairo_status_to_string(status));
  return Image(std::move(surface), scale);
}

}  // namespace tavrix::pictures
