// An SVG drawing, whatever it holds: opened or refused with a message. One that opens saves
// unchanged as the very bytes it was, and after a session's edits (an anchor moved with its
// handles, a path deleted, a path added) saves as a drawing that opens again with the paths it
// should have, every anchor and handle that SVG can store on the very float it was put.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host/svg/SvgDocument.h"

using namespace tavrix::svg;

namespace {

std::vector<EditedPath> AsRead(const SvgDocument& document) {
  std::vector<EditedPath> paths;
  for (size_t i = 0; i < document.paths().size(); ++i)
    paths.push_back(EditedPath{i, document.paths()[i].segments, document.paths()[i].closed});
  return paths;
}

[[noreturn]] void Fail(const char* what, const std::string& detail) {
  std::fprintf(stderr, "%s\n%s\n", what, detail.c_str());
  std::abort();
}

PathSegment Corner(float h, float v) {
  PathSegment segment{};
  segment.p = segment.in = segment.out = RealPoint{h, v};
  segment.corner = true;
  return segment;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::optional<SvgDocument> document;
  try {
    document.emplace(SvgDocument::Parse(text, "fuzz.svg"));
  } catch (const SvgError&) {
    return 0;  // refused, with a message
  }
  std::vector<EditedPath> paths = AsRead(*document);
  const std::string unchanged = document->SavedText(paths);
  if (unchanged != text) Fail("an untouched save changed the file:", unchanged);

  if (!paths.empty()) {
    // Which anchor follows from the input, so that every kind of command gets its turn.
    std::vector<PathSegment>& segments = paths[size / 7 % paths.size()].segments;
    PathSegment& moved = segments[size % segments.size()];
    for (RealPoint* point : {&moved.p, &moved.in, &moved.out}) {
      point->h += 1;
      point->v -= 2;
    }
  }
  if (paths.size() > 1) paths.pop_back();
  paths.push_back(EditedPath{std::nullopt, {Corner(0, 0), Corner(10, -20)}, false});
  std::string saved;
  try {
    saved = document->SavedText(paths);
  } catch (const SvgError&) {
    return 0;  // a path it cannot write: an element whose transform cannot be undone
  }
  std::vector<SvgPath> read;
  try {
    read = SvgDocument::Parse(saved, "fuzz.svg").paths();
  } catch (const SvgError& error) {
    Fail(error.what(), "in the saved drawing:\n" + saved);
  }
  if (read.size() != paths.size()) {
    const std::string counts =
        std::to_string(read.size()) + " read, " + std::to_string(paths.size()) + " saved";
    Fail("the saved drawing has another number of paths:", counts + "\n" + saved);
  }
  // In document order still: the edited path first, the new one last.
  for (size_t i = 0; i < read.size(); ++i) {
    if (read[i].closed != paths[i].closed || read[i].segments.size() != paths[i].segments.size())
      Fail("a path came back with other anchors:", std::to_string(i) + "\n" + saved);
    const size_t count = read[i].segments.size();
    for (size_t k = 0; k < count; ++k) {
      const PathSegment& a = read[i].segments[k];
      const PathSegment& b = paths[i].segments[k];
      // An open path cannot store its first anchor's In or its last one's Out.
      const bool in = paths[i].closed || k > 0, out = paths[i].closed || k + 1 < count;
      for (auto [x, y] : {std::pair{a.p.h, b.p.h},
                          {a.p.v, b.p.v},
                          {in ? a.in.h : 0, in ? b.in.h : 0},
                          {in ? a.in.v : 0, in ? b.in.v : 0},
                          {out ? a.out.h : 0, out ? b.out.h : 0},
                          {out ? a.out.v : 0, out ? b.out.v : 0}}) {
        if (x == y) continue;
        const std::string where = "path " + std::to_string(i) + ", anchor " + std::to_string(k) +
                                  ": " + std::to_string(x) + " for " + std::to_string(y);
        Fail("an anchor or handle came back elsewhere:", where + "\n" + saved);
      }
    }
  }
  return 0;
}
