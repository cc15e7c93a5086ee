#include "pictures/DrawingTools.h"

#include <cmath>
#include <cstdint>

#include "hostapi/ADMTypes.h"
#include "pictures/Pictures.h"

namespace tavrix::pictures {
namespace {

// The length of the UTF-8 sequence starting at text[i], or 0 when it is not one.
size_t Utf8SequenceLength(const std::string& text, size_t i) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  size_t length = 0;
  uint32_t code = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07u;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  for (size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0u) != 0x80u) return 0;
    code = (code << 6) | (byte(i + k) & 0x3Fu);
  }
  // Overlong forms, surrogates and code points past Unicode are not text.
  static const uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kSmallest[length] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return 0;
  return length;
}

}  // namespace

void SetColour(cairo_t* cr, const Colour& colour) {
  cairo_set_source_rgb(cr, colour.r, colour.g, colour.b);
}

Colour AdmColour(int32_t code) {
  if (code == kADMBackgroundColor) return kPanel;
  return kBlack;
}

std::string DisplayText(const std::string& text) {
  std::string shown;
  shown.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      shown += (c < 0x20 || c == 0x7F) ? ' ' : static_cast<char>(c);
      ++i;
    } else if (const size_t length = Utf8SequenceLength(text, i)) {
      shown.append(text, i, length);
      i += length;
    } else {
      shown += static_cast<char>(0xC0 | (c >> 6));
      shown += static_cast<char>(0x80 | (c & 0x3F));
      ++i;
    }
  }
  return shown;
}

void UseDialogFont(cairo_t* cr, bool bold, double size) {
  ReleaseFontCachesAtExit();
  const CairoFontOptions options(cairo_font_options_create());
  cairo_get_font_options(cr, options.get());
  cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr, options.get());
  cairo_select_font_face(cr, kDialogFontFamily, CAIRO_FONT_SLANT_NORMAL,
                         bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, size);
}

double TextWidth(cairo_t* cr, const std::string& text) {
  const std::string shown = DisplayText(text);
  cairo_text_extents_t extents{};
  cairo_text_extents(cr, shown.c_str(), &extents);
  return extents.x_advance;
}

void DrawText(cairo_t* cr, const std::string& text, double left, double top, double width,
              double height, Align align, const Colour& colour) {
  if (text.empty() || width <= 0 || height <= 0) return;
  const std::string shown = DisplayText(text);
  cairo_save(cr);
  cairo_rectangle(cr, left, top, width, height);
  cairo_clip(cr);
  cairo_font_extents_t font{};
  cairo_font_extents(cr, &font);
  cairo_text_extents_t extents{};
  cairo_text_extents(cr, shown.c_str(), &extents);
  double x = left;
  if (align == Align::Centre) x = left + (width - extents.x_advance) / 2;
  if (align == Align::Right) x = left + width - extents.x_advance;
  // Whole pixels for the baseline keep small text sharp at 1:1.
  const double baseline = std::round(top + (height + font.ascent - font.descent) / 2);
  SetColour(cr, colour);
  cairo_move_to(cr, std::round(x), baseline);
  cairo_show_text(cr, shown.c_str());
  cairo_restore(cr);
}

void StrokePixelRect(cairo_t* cr, double l, double t, double r, double b, const Colour& colour) {
  if (r - l < 1 || b - t < 1) return;
  SetColour(cr, colour);
  cairo_set_line_width(cr, 1.0);
  cairo_rectangle(cr, l + 0.5, t + 0.5, r - l - 1, b - t - 1);
  cairo_stroke(cr);
}

std::optional<std::pair<Point, Point>> ClipSegment(Point a, Point b, const ClipBox& box) {
  if (!std::isfinite(a.x) || !std::isfinite(a.y) || !std::isfinite(b.x) || !std::isfinite(b.y))
    return std::nullopt;
  // Liang-Barsky: the parameter range of a + t (b - a) inside each of the four edges.
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  double enter = 0.0;
  double leave = 1.0;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a.x - box.left, box.right - a.x, a.y - box.top, box.bottom - a.y};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return std::nullopt;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) {
      if (t > leave) return std::nullopt;
      if (t > enter) enter = t;
    } else {
      if (t < enter) return std::nullopt;
      if (t < leave) leave = t;
    }
  }
  const Point from = enter > 0 ? Point{a.x + enter * dx, a.y + enter * dy} : a;
  const Point to = leave < 1 ? Point{a.x + leave * dx, a.y + leave * dy} : b;
  return std::make_pair(from, to);
}

void CheckCairo(cairo_t* cr, const char* what) {
  const cairo_status_t status = cairo_status(cr);
  if (status != CAIRO_STATUS_SUCCESS)
    throw PictureError(std::string("cannot draw ") + what + ": " + cairo_status_to_string(status));
}

}  // namespace tavrix::pictures
