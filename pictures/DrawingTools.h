// Small pieces every drawing uses: colours, safe text, crisp lines, and clipping of lines that
// reach far outside the picture (cairo's fixed-point coordinates overflow past a few million).
#pragma once

#include <cairo.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace tavrix::pictures {

struct Colour {
  double r;
  double g;
  double b;
};

inline constexpr Colour kBlack{0.0, 0.0, 0.0};
inline constexpr Colour kWhite{1.0, 1.0, 1.0};
inline constexpr Colour kPanel{0.890, 0.890, 0.890};     // a dialog's background
inline constexpr Colour kDesktop{0.690, 0.700, 0.710};   // behind the windows
inline constexpr Colour kText{0.100, 0.100, 0.100};      // enabled text and marks
inline constexpr Colour kGreyText{0.560, 0.560, 0.560};  // disabled text and marks
inline constexpr Colour kBorder{0.470, 0.470, 0.470};    // edges of boxes
inline constexpr Colour kDisabledFill{0.835, 0.835, 0.835};
inline constexpr Colour kSelection{0.180, 0.420, 0.880};  // selected artwork
inline constexpr Colour kCurrent{0.910, 0.330, 0.080};    // the palette's current point

void SetColour(cairo_t* cr, const Colour& colour);
// The dialog manager's colour codes as the screen shows them; codes it does not name are black.
Colour AdmColour(int32_t code);

// Text made safe for cairo, which refuses invalid UTF-8: bytes that are not UTF-8 are taken as
// Latin-1 (the plug-in's own code page for these characters), control characters become spaces.
std::string DisplayText(const std::string& text);

// The title bar's and the flyout menu's text; the palette's items take theirs from the dialog.
inline constexpr double kFontSize = 10.5;
// Narrow like the dialog font the palette was laid out for, so that its labels fit; where it is
// not installed, fontconfig gives DejaVu Sans. The workbench's menus and dialogs use the same.
inline constexpr char kDialogFontFamily[] = "DejaVu Sans Condensed";
// Metrics are not hinted, so that a text takes the same room, in screen pixels, at every scale.
void UseDialogFont(cairo_t* cr, bool bold = false, double size = kFontSize);
double TextWidth(cairo_t* cr, const std::string& text);
enum class Align { Left, Centre, Right };
// Draws one line of text vertically centred in the box, clipped to it.
void DrawText(cairo_t* cr, const std::string& text, double left, double top, double width,
              double height, Align align, const Colour& colour);

// A one-pixel rectangle outline on the pixel grid: the pixels from (l, t) to (r - 1, b - 1).
void StrokePixelRect(cairo_t* cr, double l, double t, double r, double b, const Colour& colour);

struct Point {
  double x;
  double y;
  bool operator==(const Point& o) const { return x == o.x && y == o.y; }
};

struct ClipBox {
  double left;
  double top;
  double right;
  double bottom;
  bool Contains(const Point& p) const {
    return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom;
  }
};

// The part of the segment inside the box; nothing when it misses the box or an end is not
// finite.
std::optional<std::pair<Point, Point>> ClipSegment(Point a, Point b, const ClipBox& box);

// Raises PictureError with cairo's own words when the context has gone into an error state.
void CheckCairo(cairo_t* cr, const char* what);

}  // namespace tavrix::pictures
