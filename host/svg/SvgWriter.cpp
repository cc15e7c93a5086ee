#include "host/svg/SvgWriter.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "host/svg/PathDataEdit.h"
#include "host/svg/PathDataWriter.h"
#include "host/svg/ShapeEdit.h"
#include "host/svg/SourceText.h"

namespace tavrix::svg {
namespace {

struct Splice {
  size_t begin, end;
  std::string text;
};

// The attributes that give a shape its geometry, which its `d` replaces.
bool IsGeometryAttribute(std::string_view name) {
  static constexpr std::string_view kNames[] = {"x",  "y",  "width", "height", "rx",
                                                "ry", "cx", "cy",    "r",      "x1",
                                                "y1", "x2", "y2",    "points", "d"};
  return std::find(std::begin(kNames), std::end(kNames), name) != std::end(kNames);
}

// "svg:" of "svg:rect"; empty without a prefix.
std::string PrefixOf(std::string_view name) {
  const size_t colon = name.find(':');
  return colon == std::string_view::npos ? std::string() : std::string(name.substr(0, colon + 1));
}

bool Same(const std::vector<PathSegment>& a, const std::vector<PathSegment>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (!SamePoint(a[i].p, b[i].p) || !SamePoint(a[i].in, b[i].in) ||
        !SamePoint(a[i].out, b[i].out)) {
      return false;
    }
  }
  return true;
}

bool Finite(const std::vector<PathSegment>& segments) {
  for (const PathSegment& s : segments) {
    for (float value : {s.p.h, s.p.v, s.in.h, s.in.v, s.out.h, s.out.v}) {
      if (!std::isfinite(value)) return false;
    }
  }
  return true;
}

// For each path read, the current path that continues it (or none); and the new paths.
void Match(const std::vector<SvgPath>& read, const std::vector<EditedPath>& current,
           std::vector<const EditedPath*>& continued, std::vector<const EditedPath*>& added) {
  continued.assign(read.size(), nullptr);
  std::vector<size_t> by(read.size());
  for (size_t i = 0; i < current.size(); ++i) {
    const EditedPath& path = current[i];
    const std::string name = "current[" + std::to_string(i) + "]";
    if (path.segments.empty()) throw SvgError(name + " has no anchors");
    if (!Finite(path.segments))
      throw SvgError(name + " has a coordinate that is not a finite number");
    if (!path.original) {
      added.push_back(&path);
      continue;
    }
    const size_t original = *path.original;
    if (original >= read.size()) {
      throw SvgError(name + " continues path " + std::to_string(original) + ", but " +
                     (read.empty()
                          ? std::string("the file has no paths")
                          : "the file's paths are 0 to " + std::to_string(read.size() - 1)));
    }
    if (continued[original] != nullptr) {
      throw SvgError(name + " and current[" + std::to_string(by[original]) +
                     "] both continue path " + std::to_string(original));
    }
    continued[original] = &path;
    by[original] = i;
  }
}

class Splicer {
 public:
  Splicer(const SvgModel& model, const std::vector<SvgPath>& read,
          const std::vector<const EditedPath*>& continued)
      : model_(model), text_(model.text), read_(read), continued_(continued) {}

  void Element(const DrawnElement& element) {
    std::vector<const EditedPath*> kept;
    bool changed = false;
    for (size_t k = element.firstPath; k < element.firstPath + element.pathCount; ++k) {
      const EditedPath* now = continued_[k];
      if (now == nullptr) {
        changed = true;
      } else {
        kept.push_back(now);
        changed =
            changed || now->closed != read_[k].closed || !Same(now->segments, read_[k].segments);
      }
    }
    if (!changed) return;
    const ElementSpan span = ScanElement(text_, BeginOf(element.node));
    if (kept.empty()) {
      splices_.push_back(Removal(span.begin, span.end()));
    } else if (element.kind == "path") {
      EditPath(element, span, kept);
    } else if (!EditShape(element, span, kept)) {
      Rewrite(element, span, PathData(element, kept));
    }
  }

  void Append(const std::vector<const EditedPath*>& added) {
    if (added.empty()) return;
    const std::string prefix = PrefixOf(model_.root.name());
    const ElementSpan root = ScanElement(text_, BeginOf(model_.root));
    std::vector<std::string> elements;
    try {
      // In the root's user space: inside its own transform, if it has one.
      const PathDataWriter writer(model_.rootTransform, {}, {});
      for (const EditedPath* path : added) {
        elements.push_back("<" + prefix + "path d=\"" + writer.Write({path}) + "\"/>");
      }
    } catch (const SvgError& error) {
      throw SvgError(ElementPlace(model_, model_.root) + error.what());
    }
    // Line ends as the file has them.
    const std::string eol = text_.find("\r\n") != std::string::npos ? "\r\n" : "\n";
    std::string text;
    if (root.selfClosing) {
      text = ">" + eol;
      for (const std::string& element : elements) text += element + eol;
      splices_.push_back(
          {root.closeBegin, root.startTagEnd, text + "</" + model_.root.name() + ">"});
      return;
    }
    // When the root's end tag starts a line, each new element goes on a line of its own before
    // it, indented as the root's last child is (or one step more than the end tag).
    const size_t endLine = LineStart(root.endTagBegin);
    if (endLine == 0 || !IndentOnly(endLine, root.endTagBegin)) {
      for (const std::string& element : elements) text += element;
      splices_.push_back({root.endTagBegin, root.endTagBegin, text});
      return;
    }
    std::string indent = text_.substr(endLine, root.endTagBegin - endLine) + "  ";
    for (pugi::xml_node child = model_.root.last_child(); child; child = child.previous_sibling()) {
      if (child.type() != pugi::node_element) continue;
      const size_t begin = BeginOf(child), line = LineStart(begin);
      if (line > 0 && IndentOnly(line, begin)) indent = text_.substr(line, begin - line);
      break;
    }
    for (const std::string& element : elements) text.append(indent).append(element).append(eol);
    splices_.push_back({endLine, endLine, text});
  }

  void Remove(size_t begin, size_t end) { splices_.push_back({begin, end, ""}); }

  std::string Result() {
    std::stable_sort(splices_.begin(), splices_.end(),
                     [](const Splice& a, const Splice& b) { return a.begin < b.begin; });
    std::string out;
    size_t at = 0;
    for (const Splice& splice : splices_) {
      out.append(text_, at, splice.begin - at);
      out += splice.text;
      at = splice.end;
    }
    out.append(text_, at, std::string::npos);
    return out;
  }

 private:
  // The offset where the line holding `at` begins.
  size_t LineStart(size_t at) const {
    const size_t newline = at == 0 ? std::string::npos : text_.rfind('\n', at - 1);
    return newline == std::string::npos ? 0 : newline + 1;
  }
  bool IndentOnly(size_t begin, size_t end) const {
    return text_.find_first_not_of(" \t", begin) >= end;
  }

  // Takes out [begin, end); when that is all its line holds, the whole line goes, its
  // indentation and line end included, so that no blank line is left where it stood.
  Splice Removal(size_t begin, size_t end) const {
    const size_t line = LineStart(begin);
    if (!IndentOnly(line, begin)) return {begin, end, ""};
    const size_t after = text_.find_first_not_of(" \t", end);
    if (after == std::string::npos) return {line, text_.size(), ""};
    if (text_[after] == '\n') return {line, after + 1, ""};
    if (text_.compare(after, 2, "\r\n") == 0) return {line, after + 2, ""};
    return {begin, end, ""};
  }

  std::string PathData(const DrawnElement& element, const std::vector<const EditedPath*>& kept) {
    std::vector<LocalSubpath> originals;
    std::string numbers;
    ReadDrawnElement(
        model_, element, [&](LocalSubpath&& subpath) { originals.push_back(std::move(subpath)); },
        numbers);
    try {
      return PathDataWriter(element.toRoot, originals, numbers).Write(kept);
    } catch (const SvgError& error) {
      throw SvgError(ElementPlace(model_, element.node) + error.what());
    }
  }

  // A path's `d` changed only where its paths did; written anew when that cannot be done.
  void EditPath(const DrawnElement& element, const ElementSpan& span,
                const std::vector<const EditedPath*>& kept) {
    const AttributeSpan* d = Attribute(span, "d");
    if (d == nullptr) {
      Rewrite(element, span, PathData(element, kept));
      return;
    }
    // The text as the file has it, its line breaks and all, unless it holds character
    // references: then as the parser gave it, which is the same path data.
    std::string_view source(text_.data() + d->valueBegin, d->valueEnd - d->valueBegin);
    if (source.find('&') != std::string_view::npos) source = element.node.attribute("d").value();
    const std::vector<const EditedPath*> paths(
        continued_.begin() + element.firstPath,
        continued_.begin() + element.firstPath + element.pathCount);
    std::optional<std::string> edited;
    try {
      edited = EditPathData(source, element.toRoot, model_.maxAnchors, paths);
    } catch (const SvgError& error) {
      throw SvgError(ElementPlace(model_, element.node) + error.what());
    }
    splices_.push_back({d->valueBegin, d->valueEnd, edited ? *edited : PathData(element, kept)});
  }

  // A shape that still is one keeps its element, with only the numbers that changed changed.
  bool EditShape(const DrawnElement& element, const ElementSpan& span,
                 const std::vector<const EditedPath*>& kept) {
    if (kept.size() != 1 || element.pathCount != 1) return false;
    std::vector<LocalSubpath> originals;
    std::string numbers;
    ReadDrawnElement(
        model_, element, [&](LocalSubpath&& subpath) { originals.push_back(std::move(subpath)); },
        numbers);
    if (originals.size() != 1) return false;
    const AttributeSpan* points = Attribute(span, "points");
    std::string_view source = element.node.attribute("points").value();
    if (points != nullptr) {
      const std::string_view raw(text_.data() + points->valueBegin,
                                 points->valueEnd - points->valueBegin);
      if (raw.find('&') == std::string_view::npos) source = raw;
    }
    std::optional<std::vector<AttributeEdit>> edits;
    try {
      edits = svg::EditShape(
          {element.node, element.kind, source, model_.viewport, element.toRoot, model_.maxAnchors},
          originals[0], *kept[0]);
    } catch (const SvgError& error) {
      throw SvgError(ElementPlace(model_, element.node) + error.what());
    }
    if (!edits) return false;
    // Attributes it did not have go after those it has, quoted as its first one is.
    const size_t end = span.attributes.empty() ? span.nameEnd : span.attributes.back().end;
    const char quote = span.attributes.empty() ? '"' : span.attributes[0].quote;
    for (const AttributeEdit& edit : *edits) {
      if (const AttributeSpan* attribute = Attribute(span, edit.name)) {
        splices_.push_back({attribute->valueBegin, attribute->valueEnd, edit.value});
      } else {
        splices_.push_back({end, end, " " + edit.name + "=" + quote + edit.value + quote});
      }
    }
    return true;
  }

  static const AttributeSpan* Attribute(const ElementSpan& span, std::string_view name) {
    for (const AttributeSpan& attribute : span.attributes) {
      if (attribute.name == name) return &attribute;
    }
    return nullptr;
  }

  // A path keeps its element and has only its `d` replaced; any other shape becomes a path with
  // the same attributes but those of its geometry, which its `d` takes the place of.
  void Rewrite(const DrawnElement& element, const ElementSpan& span, const std::string& d) {
    if (element.kind == "path") {
      for (const AttributeSpan& attribute : span.attributes) {
        if (attribute.name == "d") {
          splices_.push_back({attribute.valueBegin, attribute.valueEnd, d});
          return;
        }
      }
    }
    const std::string name = PrefixOf(element.node.name()) + "path";
    std::string tag = "<" + name;
    size_t at = span.nameEnd;
    bool written = false;
    for (const AttributeSpan& attribute : span.attributes) {
      if (!IsGeometryAttribute(attribute.name)) {
        tag.append(text_, attribute.begin, attribute.end - attribute.begin);
      } else if (!written) {
        tag.append(text_, attribute.begin, attribute.nameBegin - attribute.begin);
        tag += "d=\"" + d + "\"";
        written = true;
      }
      at = attribute.end;
    }
    if (!written) tag += " d=\"" + d + "\"";
    tag.append(text_, at, span.startTagEnd - at);
    splices_.push_back({span.begin, span.startTagEnd, tag});
    if (!span.selfClosing)
      splices_.push_back({span.endTagBegin, span.endTagEnd, "</" + name + ">"});
  }

  const SvgModel& model_;
  const std::string& text_;
  const std::vector<SvgPath>& read_;
  const std::vector<const EditedPath*>& continued_;
  std::vector<Splice> splices_;
};

}  // namespace

std::string WriteSvgText(const SvgModel& model, const std::vector<SvgPath>& read,
                         const std::vector<EditedPath>& current,
                         const std::optional<LayerCut>& cut) {
  std::vector<const EditedPath*> continued, added;
  Match(read, current, continued, added);
  Splicer splicer(model, read, continued);
  if (!cut) {
    for (const DrawnElement& element : model.drawn) splicer.Element(element);
    splicer.Append(added);
    return splicer.Result();
  }
  // Elements taken out are not edited: their splices would land inside the removal. Both lists
  // are in document order.
  auto removal = cut->removed.begin();
  for (const DrawnElement& element : model.drawn) {
    const size_t begin = BeginOf(element.node);
    while (removal != cut->removed.end() && removal->second <= begin) ++removal;
    if (removal == cut->removed.end() || begin < removal->first) splicer.Element(element);
  }
  for (const auto& [begin, end] : cut->removed) splicer.Remove(begin, end);
  if (cut->withAddedPaths) splicer.Append(added);
  return splicer.Result();
}

}  // namespace tavrix::svg
