#include "pictures/DrawingPicture.h"

#include <gio/gio.h>
#include <librsvg/rsvg.h>

#include "pictures/Pictures.h"

namespace tavrix::pictures {
namespace {

// CSS pixels: a length in the file means what a browser takes it to mean.
constexpr double kDotsPerInch = 96;

struct ErrorHolder {
  GError* error = nullptr;
  ~ErrorHolder() {
    if (error != nullptr) g_error_free(error);
  }
  std::string Text(const char* fallback) const {
    return error != nullptr && error->message != nullptr ? error->message : fallback;
  }
};

}  // namespace

struct DrawingPicture::Handle {
  RsvgHandle* rsvg = nullptr;
  // Where the root's viewport goes so that its user space is not scaled: its viewBox onto
  // itself, or its own size in pixels from the origin when it has none.
  RsvgRectangle viewport{0, 0, host::DocumentView::kDefaultWidth,
                         host::DocumentView::kDefaultHeight};
  ~Handle() {
    if (rsvg != nullptr) g_object_unref(rsvg);
  }
};

DrawingPicture::DrawingPicture(const std::string& text, const std::string& baseFile)
    : handle_(std::make_unique<Handle>()), text_(text), baseFile_(baseFile) {
  GInputStream* stream =
      g_memory_input_stream_new_from_data(text_.data(), static_cast<gssize>(text_.size()), nullptr);
  GFile* base = baseFile_.empty() ? nullptr : g_file_new_for_path(baseFile_.c_str());
  ErrorHolder error;
  handle_->rsvg =
      rsvg_handle_new_from_stream_sync(stream, base, RSVG_HANDLE_FLAGS_NONE, nullptr, &error.error);
  if (base != nullptr) g_object_unref(base);
  g_object_unref(stream);
  if (handle_->rsvg == nullptr)
    throw PictureError("the drawing cannot be drawn: " + error.Text("librsvg refused it"));
  rsvg_handle_set_dpi(handle_->rsvg, kDotsPerInch);

  gboolean hasWidth = FALSE, hasHeight = FALSE, hasViewBox = FALSE;
  RsvgLength width{}, height{};
  RsvgRectangle viewBox{};
  rsvg_handle_get_intrinsic_dimensions(handle_->rsvg, &hasWidth, &width, &hasHeight, &height,
                                       &hasViewBox, &viewBox);
  double pixelWidth = 0, pixelHeight = 0;
  if (hasViewBox) {
    handle_->viewport = viewBox;
  } else if (rsvg_handle_get_intrinsic_size_in_pixels(handle_->rsvg, &pixelWidth, &pixelHeight)) {
    handle_->viewport = RsvgRectangle{0, 0, pixelWidth, pixelHeight};
  }
  // Sized in percent without a viewBox, the root takes the viewport's size and does not scale.
}

DrawingPicture::~DrawingPicture() = default;

void DrawingPicture::Draw(cairo_t* cr, const host::DocumentView& view) const {
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, view.width(), view.height());
  cairo_clip(cr);
  // An artwork point (h, v), which is (h, -v) of the root's user space, shows at the pixel
  // centre ((h - left) * zoom + 0.5, (top - v) * zoom + 0.5), as the editing layer draws it.
  cairo_translate(cr, 0.5, 0.5);
  cairo_scale(cr, view.zoom(), view.zoom());
  cairo_translate(cr, -view.origin().h, view.origin().v);
  ErrorHolder error;
  const bool drawn =
      rsvg_handle_render_document(handle_->rsvg, cr, &handle_->viewport, &error.error) != FALSE;
  cairo_restore(cr);
  if (!drawn) throw PictureError("the drawing cannot be drawn: " + error.Text("librsvg failed"));
}

const DrawingPicture* DrawingPictureCache::For(const std::string& text, const std::string& baseFile,
                                               std::string& error) {
  if (picture_ && picture_->text() == text && picture_->baseFile() == baseFile)
    return picture_.get();
  if (!failure_.empty() && failedText_ == text) {
    error = failure_;
    return nullptr;
  }
  picture_.reset();
  failure_.clear();
  try {
    picture_ = std::make_unique<DrawingPicture>(text, baseFile);
  } catch (const PictureError& refused) {
    failedText_ = text;
    failure_ = refused.what();
    error = failure_;
    return nullptr;
  }
  return picture_.get();
}

}  // namespace tavrix::pictures
