#include "host/svg/ShapeEdit.h"

#include <unordered_map>
#include <utility>

#include "host/svg/NumberText.h"
#include "host/svg/PathDataEdit.h"
#include "host/svg/PathDataWriter.h"
#include "host/svg/SvgError.h"
#include "host/svg/SvgNumbers.h"

namespace tavrix::svg {
namespace {

// A `points` list as written: its text, each number's [start, end), and the separators it uses
// within a pair and after one.
struct PointList {
  std::string_view source;
  std::vector<std::pair<size_t, size_t>> spans;
  std::string_view within, after;

  // Nullopt when the list is not pairs of numbers.
  static std::optional<PointList> Read(std::string_view source) {
    PointList list{source, {}, ",", " "};
    try {
      NumberScanner scan(source);
      scan.SkipSpace();
      while (!scan.AtEnd()) {
        size_t start = 0, length = 0;
        scan.Number(&start, &length);
        list.spans.emplace_back(start, start + length);
        scan.SkipCommaSpace();
      }
    } catch (const SyntaxError&) {
      return std::nullopt;
    }
    if (list.spans.empty() || list.spans.size() % 2 != 0) return std::nullopt;
    list.within = list.Between(0, 1, ",");
    list.after = list.Between(1, 2, " ");
    return list;
  }
  size_t Pairs() const { return spans.size() / 2; }
  std::string_view Between(size_t a, size_t b, std::string_view otherwise) const {
    return b < spans.size() ? source.substr(spans[a].second, spans[b].first - spans[a].second)
                            : otherwise;
  }
  std::string_view Text(size_t k) const {
    return source.substr(spans[k].first, spans[k].second - spans[k].first);
  }
  // The numbers pair `pair` was read from, to keep where the vertex is still there.
  PointNumbers::Keeps KeepsOf(size_t pair) const {
    PointNumbers::Keeps keeps;
    keeps.pair =
        std::pair{NumberText{NumberValue(Text(2 * pair)), std::string(Text(2 * pair))},
                  NumberText{NumberValue(Text(2 * pair + 1)), std::string(Text(2 * pair + 1))}};
    return keeps;
  }
};

bool Retracted(const RealPoint& handle, const RealPoint& anchor) {
  return SamePoint(handle, anchor);
}

// Whether every segment is a straight line, the closing one too when `closed`.
bool Straight(const std::vector<PathSegment>& s, bool closed) {
  for (size_t i = 0; i + 1 < s.size(); ++i) {
    if (!Retracted(s[i].out, s[i].p) || !Retracted(s[i + 1].in, s[i + 1].p)) return false;
  }
  return !closed || (Retracted(s.back().out, s.back().p) && Retracted(s[0].in, s[0].p));
}

bool Closed(const EditedPath& path) {
  return path.closed || path.segments.size() == 1;
}

// Adds `piece`, with a space first where two numbers would otherwise run together.
void Join(std::string& out, std::string_view piece) {
  auto digit = [](char c) { return c >= '0' && c <= '9'; };
  if (!out.empty() && !piece.empty() && (digit(piece[0]) || piece[0] == '.') &&
      (digit(out.back()) || out.back() == '.')) {
    // "5" and ".5" read as one number only when the first has no point or exponent.
    const size_t begin = out.find_last_not_of("0123456789.eE+-") + 1;
    const std::string_view last = std::string_view(out).substr(begin);
    if (piece[0] != '.' || last.find_first_of(".eE") == std::string_view::npos) out += ' ';
  }
  out.append(piece);
}

class ShapeEditor {
 public:
  ShapeEditor(const ShapeContext& shape, const LocalSubpath& original, const EditedPath& path)
      : shape_(shape),
        original_(original),
        path_(path),
        read_(ToArtworkSegments(shape.toRoot, original)),
        numbers_(shape.toRoot) {}

  std::optional<std::vector<AttributeEdit>> Run() {
    const std::string_view kind = shape_.kind;
    std::optional<std::vector<AttributeEdit>> edits;
    if (kind == "polygon" || kind == "polyline") {
      edits = Points(kind == "polygon");
    } else if (kind == "line") {
      edits = Line();
    } else if (kind == "rect") {
      edits = Straight(read_, true) && read_.size() == 4 ? Rect() : Moved("x", "y");
    } else if (kind == "circle" || kind == "ellipse") {
      edits = Moved("cx", "cy");
    }
    if (!edits || !ReadsBack(*edits)) return std::nullopt;
    // Those that leave an attribute as it was, or absent, are no edits.
    std::vector<AttributeEdit> changed;
    for (AttributeEdit& edit : *edits) {
      const pugi::xml_attribute attribute = shape_.element.attribute(edit.name.c_str());
      if (attribute ? edit.value != attribute.value() : !edit.value.empty()) {
        changed.push_back(std::move(edit));
      }
    }
    return changed;
  }

 private:
  // A length attribute's text with the value it was read as; empty text for one that is absent
  // (and so 0), which is then left absent.
  NumberText Kept(const char* name, double value) const {
    const pugi::xml_attribute attribute = shape_.element.attribute(name);
    return NumberText{attribute ? value : 0.0, attribute ? attribute.value() : ""};
  }

  // An attribute's value when it is a plain number, as a length in user units is; 0 when absent.
  std::optional<double> Plain(const char* name) const {
    const pugi::xml_attribute attribute = shape_.element.attribute(name);
    if (!attribute) return 0.0;
    std::string_view text = attribute.value();
    while (!text.empty() && IsSvgSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsSvgSpace(text.back())) text.remove_suffix(1);
    try {
      return NumberValue(text);
    } catch (const SyntaxError&) {
      return std::nullopt;
    }
  }

  // The vertices: a moved one changes its pair in place; with vertices added or taken away, all
  // pairs are written again, with the separators the list used.
  std::optional<std::vector<AttributeEdit>> Points(bool polygon) {
    const std::vector<PathSegment>& t = path_.segments;
    if (polygon ? !Closed(path_) : (path_.closed || t.size() < 2)) return std::nullopt;
    if (!Straight(t, polygon)) return std::nullopt;
    const std::optional<PointList> list = PointList::Read(shape_.points);
    if (!list) return std::nullopt;
    const size_t pairs = list->Pairs(), n = read_.size();
    std::string value;
    size_t at = 0;
    if (t.size() == n && (pairs == n || (polygon && pairs == n + 1))) {
      at = MovedPairs(*list, value);
    } else {
      at = AllPairs(*list, value);
    }
    const std::string_view source = list->source;
    const size_t end = list->spans.back().second;
    Join(value, source.substr(at, end - at));
    // A polygon whose last vertex is on its first says so again at the end: read alone, that
    // vertex would merge into the first.
    if (polygon && t.size() > 1 && SamePoint(t.back().p, t[0].p) &&
        !(t.size() == n && pairs == n + 1)) {
      Join(value, list->after);
      AppendPair(*list, t[0].p, {}, value);
    }
    Join(value, source.substr(end));
    return std::vector<AttributeEdit>{{"points", value}};
  }

  // The pairs of vertices that moved, changed in place; where the text written so far ends.
  // Pair n, when there is one, is the closing point that merged into the first.
  size_t MovedPairs(const PointList& list, std::string& value) {
    const std::vector<PathSegment>& t = path_.segments;
    const size_t n = read_.size();
    size_t at = 0;
    for (size_t pair = 0; pair < list.Pairs(); ++pair) {
      const size_t anchor = pair == n ? 0 : pair;
      if (SamePoint(t[anchor].p, read_[anchor].p)) continue;
      const auto& [xSpan, ySpan] = std::pair{list.spans[2 * pair], list.spans[2 * pair + 1]};
      const auto [x, y] = numbers_.Absolute(t[anchor].p, list.KeepsOf(pair));
      Join(value, list.source.substr(at, xSpan.first - at));
      Join(value, x.text);
      Join(value, list.source.substr(xSpan.second, ySpan.first - xSpan.second));
      Join(value, y.text);
      at = ySpan.second;
    }
    return at;
  }

  // Every pair written again: a vertex where one was read keeps the numbers it was read from.
  size_t AllPairs(const PointList& list, std::string& value) {
    const std::vector<PathSegment>& t = path_.segments;
    std::unordered_map<uint64_t, size_t> pairAt;
    for (size_t pair = 0; pair < list.Pairs() && pair < read_.size(); ++pair) {
      pairAt.emplace(KeyOf(read_[pair].p), pair);
    }
    Join(value, list.source.substr(0, list.spans[0].first));
    for (size_t k = 0; k < t.size(); ++k) {
      const auto found = pairAt.find(KeyOf(t[k].p));
      if (k > 0) Join(value, list.after);
      AppendPair(list, t[k].p,
                 found != pairAt.end() ? list.KeepsOf(found->second) : PointNumbers::Keeps{},
                 value);
    }
    return list.spans.back().second;
  }

  // A vertex's two numbers, with the list's separator between them (not before).
  void AppendPair(const PointList& list, const RealPoint& p, const PointNumbers::Keeps& keeps,
                  std::string& value) {
    const auto [x, y] = numbers_.Absolute(p, keeps);
    Join(value, x.text);
    Join(value, list.within);
    Join(value, y.text);
  }

  std::optional<std::vector<AttributeEdit>> Line() {
    const std::vector<PathSegment>& t = path_.segments;
    if (path_.closed || t.size() != 2 || !Straight(t, false)) return std::nullopt;
    std::vector<AttributeEdit> edits;
    const char* names[2][2] = {{"x1", "y1"}, {"x2", "y2"}};
    for (size_t k = 0; k < 2; ++k) {
      if (SamePoint(t[k].p, read_[k].p)) continue;
      const LocalPoint& was = original_.segments[k].p;
      PointNumbers::Keeps keeps;
      keeps.x.push_back(Kept(names[k][0], was.x.value));
      keeps.y.push_back(Kept(names[k][1], was.y.value));
      const auto [x, y] = numbers_.Absolute(t[k].p, keeps);
      edits.push_back({names[k][0], x.text});
      edits.push_back({names[k][1], y.text});
    }
    return edits;
  }

  // A rect with square corners, moved or resized along its sides: its corners from the top left
  // clockwise are (x, y), (x + width, y), (x + width, y + height), (x, y + height).
  std::optional<std::vector<AttributeEdit>> Rect() {
    const std::vector<PathSegment>& t = path_.segments;
    if (!Closed(path_) || t.size() != 4 || !Straight(t, true)) return std::nullopt;
    const LocalPoint& was = original_.segments[0].p;
    PointNumbers::Keeps keeps;
    keeps.pair = std::pair{Kept("x", was.x.value), Kept("y", was.y.value)};
    keeps.x.push_back(keeps.pair->first);
    keeps.y.push_back(keeps.pair->second);
    const std::pair<NumberText, NumberText> topLeft = numbers_.Absolute(t[0].p, keeps);
    const NumberText &x = topLeft.first, &y = topLeft.second;
    // A side's length is written as the difference of its corners, and read back as their sum.
    auto side = [&](const char* name, bool isX,
                    const RealPoint& corner) -> std::optional<NumberText> {
      const pugi::xml_attribute attribute = shape_.element.attribute(name);
      const double origin = isX ? x.value : y.value;
      // With a unit, its length in user units as the corners it gave were read.
      const LocalPoint& far = original_.segments[isX ? 1 : 3].p;
      const double length =
          Plain(name).value_or(isX ? far.x.value - was.x.value : far.y.value - was.y.value);
      const std::vector<NumberText> kept{{origin + length, attribute.value()}};
      auto chosen = numbers_.ChooseOne(isX, corner, isX ? y.value : x.value, &origin, kept, 17);
      if (!chosen || chosen->text == kept[0].text) return chosen;
      if (!(NumberValue(chosen->text) > 0)) return std::nullopt;
      return chosen;
    };
    const std::optional<NumberText> width = side("width", true, t[1].p);
    const std::optional<NumberText> height = side("height", false, t[3].p);
    if (!width || !height) return std::nullopt;
    return std::vector<AttributeEdit>{
        {"x", x.text}, {"y", y.text}, {"width", width->text}, {"height", height->text}};
  }

  // A shape moved whole: its place, `xName` and `yName`, moved by as much as its first anchor,
  // with ever more digits until every anchor and handle lands where it is.
  std::optional<std::vector<AttributeEdit>> Moved(const char* xName, const char* yName) {
    const std::vector<PathSegment>& t = path_.segments;
    if (!Closed(path_) || t.size() != read_.size()) return std::nullopt;
    const std::optional<double> x0 = Plain(xName), y0 = Plain(yName);
    if (!x0 || !y0) return std::nullopt;
    const LocalPoint& was = original_.segments[0].p;
    const Point now = numbers_.Local(t[0].p);
    const double dx = now.x - was.x.value, dy = now.y - was.y.value;
    auto text = [&](const char* name, double from, double by, int digits) {
      if (by == 0) return std::string(shape_.element.attribute(name).value());
      return TextWithDigits(from + by, digits);
    };
    for (int digits = 1; digits <= 17; ++digits) {
      std::vector<AttributeEdit> edits{{xName, text(xName, *x0, dx, digits)},
                                       {yName, text(yName, *y0, dy, digits)}};
      if (ReadsBack(edits)) return edits;
    }
    return std::nullopt;
  }

  // Whether the element with these attributes draws the path.
  bool ReadsBack(const std::vector<AttributeEdit>& edits) const {
    pugi::xml_document scratch;
    pugi::xml_node copy = scratch.append_child(shape_.element.name());
    for (const pugi::xml_attribute& attribute : shape_.element.attributes()) {
      copy.append_attribute(attribute.name()).set_value(attribute.value());
    }
    for (const AttributeEdit& edit : edits) {
      pugi::xml_attribute attribute = copy.attribute(edit.name.c_str());
      if (!attribute && edit.value.empty()) continue;
      if (!attribute) attribute = copy.append_attribute(edit.name.c_str());
      attribute.set_value(edit.value.c_str());
    }
    std::vector<LocalSubpath> read;
    try {
      PathBuilder builder(shape_.toRoot, shape_.maxAnchors,
                          [&](LocalSubpath&& subpath) { read.push_back(std::move(subpath)); });
      std::string numbers;
      ReadShape(copy, shape_.kind, shape_.viewport, builder, numbers);
    } catch (const SvgError&) {
      return false;
    }
    return ReadsBackAs(read, shape_.toRoot, {&path_});
  }

  const ShapeContext& shape_;
  const LocalSubpath& original_;
  const EditedPath& path_;
  std::vector<PathSegment> read_;
  PointNumbers numbers_;
};

}  // namespace

std::optional<std::vector<AttributeEdit>> EditShape(const ShapeContext& shape,
                                                    const LocalSubpath& original,
                                                    const EditedPath& path) {
  if (original.segments.empty() || path.segments.empty()) return std::nullopt;
  return ShapeEditor(shape, original, path).Run();
}

}  // namespace tavrix::svg
