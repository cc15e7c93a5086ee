// An SVG file as paths of the host's artwork, and the same file written back with the paths as
// they are now: what was not changed comes back byte for byte, and an unchanged coordinate as
// the very number it was.
//
// One user unit is one point; a point at (x, y) in the root's user space is at h = x, v = -y.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/svg/SvgError.h"
#include "host/svg/SvgPaint.h"
#include "hostapi/HostTypes.h"

namespace tavrix::svg {

struct SvgModel;

// The most anchors a path of the host holds.
inline constexpr size_t kMaxAnchorsPerPath = 32767;

// A drawing split around one element in painting order: what lies under it, the element alone,
// and what lies over it (see svg/SvgLayers.h).
enum class Layer { Under, Element, Over };

// An element that draws at least one path.
struct SvgElement {
  std::string tag;  // as written, with any prefix: "path", "rect", ...
  std::string id;   // empty when it has none
  size_t line = 0, column = 0;
  SvgPaint paint;  // how it paints its shape, for a click on it
};

// One subpath of an element, in the artwork.
struct SvgPath {
  std::vector<PathSegment> segments;
  bool closed = false;
  size_t element = 0;  // into elements()
  size_t subpath = 0;  // its place among the element's paths, from 0
};

// A path of the artwork when it is saved: one read from the file (by its index in paths()),
// changed or not, or a new one.
struct EditedPath {
  std::optional<size_t> original;
  std::vector<PathSegment> segments;
  bool closed = false;
};

class SvgDocument {
 public:
  // Reads the file. Throws SvgError with a message naming the file and, for a fault in an
  // element, its place ("drawing.svg:12:5: <path id="leaf">: expected a number at character 17
  // of 'd'"). A subpath of more than `maxAnchorsPerPath` anchors is refused, never cut.
  static SvgDocument Open(const std::string& fileName,
                          size_t maxAnchorsPerPath = kMaxAnchorsPerPath);
  // The same from text already read; `fileName` is only for messages and saving.
  static SvgDocument Parse(std::string text, const std::string& fileName,
                           size_t maxAnchorsPerPath = kMaxAnchorsPerPath);

  const std::vector<SvgElement>& elements() const { return elements_; }
  const std::vector<SvgPath>& paths() const { return paths_; }
  // How a path added at the end of the root paints: as the root gives it.
  const SvgPaint& rootPaint() const { return rootPaint_; }

  // The file's text with `current` in place of the paths read: an element whose paths changed
  // is written as a <path> with a new `d` (its other attributes and its children kept), one all
  // of whose paths are gone is taken out, and new paths are added at the end of the root. The
  // document itself does not change: every save starts from the text that was read. Throws
  // SvgError for paths it cannot write (an index that names no path or names one twice, no
  // anchors, a coordinate that is not finite, a transform that cannot be undone).
  std::string SavedText(const std::vector<EditedPath>& current) const;
  // SavedText with only one layer of the drawing around the element of paths()[path] (see
  // svg/SvgLayers.h): nothing when the drawing cannot be split there exactly, or the path is
  // not one read from the file. Throws SvgError as SavedText does.
  std::optional<std::string> LayerText(const std::vector<EditedPath>& current, size_t path,
                                       Layer layer) const;
  // Writes SavedText to `fileName` through a temporary file renamed over it, so that the file is
  // either all new or as it was. Throws SvgError naming the file and the reason.
  void Save(const std::string& fileName, const std::vector<EditedPath>& current) const;

 private:
  SvgDocument() = default;

  std::shared_ptr<const SvgModel> model_;
  std::vector<SvgElement> elements_;
  std::vector<SvgPath> paths_;
  SvgPaint rootPaint_;
};

}  // namespace tavrix::svg
