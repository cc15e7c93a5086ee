// Saving: what did not change comes back byte for byte and number for number; what changed is
// written so that it reads back exactly; and a failed save leaves the file as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <optional>
#include <random>

#include "SvgTestSupport.h"

namespace tavrix::svg {
namespace {

using svgtest::AsRead;
using svgtest::ErrorOf;
using svgtest::Exactly;
using svgtest::Fixture;
using svgtest::FromText;
using svgtest::ReadText;
using svgtest::SameSegments;

PathSegment Corner(float h, float v) {
  return PathSegment{{h, v}, {h, v}, {h, v}, 1};
}

// The value of attribute `name` of the element with id `id`, found in the text.
std::string AttributeOf(const std::string& text, const std::string& id, const std::string& name) {
  const size_t element = text.rfind('<', text.find("id=\"" + id + "\""));
  const size_t start = text.find(" " + name + "=", element) + name.size() + 3;
  return text.substr(start, text.find_first_of("\"'", start) - start);
}

class SvgSave : public ::testing::Test {
 protected:
  void SetUp() override {
    original_ = ReadText(Fixture("drawing.svg"));
    document_ = std::make_unique<SvgDocument>(SvgDocument::Parse(original_, "drawing.svg"));
    current_ = AsRead(*document_);
  }
  // The index of the first path of the element with this id.
  size_t PathOf(const std::string& id) const {
    for (size_t i = 0; i < document_->paths().size(); ++i) {
      if (document_->elements()[document_->paths()[i].element].id == id) return i;
    }
    ADD_FAILURE() << "no path of " << id;
    return 0;
  }
  // Saves and reads the result back.
  SvgDocument SaveAndReopen(std::string& saved) const {
    saved = document_->SavedText(current_);
    return FromText(saved);
  }

  std::string original_;
  std::unique_ptr<SvgDocument> document_;
  std::vector<EditedPath> current_;
};

TEST_F(SvgSave, NothingChangedIsTheFileByteForByte) {
  EXPECT_EQ(document_->SavedText(current_), original_);
  svgtest::TempFolder folder;
  document_->Save(folder / "copy.svg", current_);
  EXPECT_EQ(ReadText(folder / "copy.svg"), original_);
}

TEST_F(SvgSave, OneMovedAnchorRewritesThatDAloneKeepingEveryUntouchedNumber) {
  const size_t leaf = PathOf("leaf");
  // (30,40) in the leaf's group, moved by (1,1).
  current_[leaf].segments[1] = Corner(41, -61);
  std::string saved;
  const SvgDocument reopened = SaveAndReopen(saved);

  const std::string oldD = AttributeOf(original_, "leaf", "d");
  const std::string newD = AttributeOf(saved, "leaf", "d");
  const size_t at = original_.find(oldD);
  EXPECT_EQ(saved.substr(0, at), original_.substr(0, at));
  EXPECT_EQ(saved.substr(at + newD.size()), original_.substr(at + oldD.size()));
  // Only the numbers that changed: the anchor's own, and the relative step after it, whose end
  // stays where it was. Every other command keeps its text ("1e2", ".5", the quadratic).
  EXPECT_EQ(oldD, "M 1e2 .5 L 30,40 l 5 5 c 1 1 2 2 3 3 Q 50 60 70 80 Z");
  EXPECT_EQ(newD, "M 1e2 .5 L 31,41 l 4 4 c 1 1 2 2 3 3 Q 50 60 70 80 Z");

  ASSERT_EQ(reopened.paths().size(), document_->paths().size());
  for (size_t i = 0; i < current_.size(); ++i) {
    EXPECT_TRUE(SameSegments(reopened.paths()[i].segments, current_[i].segments)) << "path " << i;
  }
}

TEST_F(SvgSave, AChangedShapeBecomesAPathWithItsOtherAttributesAndChildren) {
  const size_t card = PathOf("card");
  current_[card].segments.back().p.h -= 0.25f;
  std::string saved;
  const SvgDocument reopened = SaveAndReopen(saved);
  const size_t begin = saved.find("<path class=\"ink\" id=\"card\" d=\"M13,10.50 L37,10.50 C");
  ASSERT_NE(begin, std::string::npos) << saved;
  const size_t end = saved.find("\"><title>A card</title></path>", begin);
  ASSERT_NE(end, std::string::npos) << saved;
  EXPECT_EQ(saved.substr(0, begin), original_.substr(0, begin));
  const size_t oldEnd = original_.find("</rect>") + 7;
  EXPECT_EQ(saved.substr(end + 30), original_.substr(oldEnd));
  EXPECT_TRUE(SameSegments(reopened.paths()[card].segments, current_[card].segments, false));
  EXPECT_EQ(reopened.elements()[card].tag, "path");
}

TEST_F(SvgSave, AChangedElementIsWrittenInItsOwnUserSpaceUnderItsTransforms) {
  const size_t sun = PathOf("sun");
  for (PathSegment& s : current_[sun].segments) {
    s.p.h += 3.125f;
    s.in.h += 3.125f;
    s.out.h += 3.125f;
  }
  current_[sun].segments[2].out.v += 10;
  std::string saved;
  const SvgDocument reopened = SaveAndReopen(saved);
  EXPECT_NE(saved.find("<path id=\"sun\" d=\"M"), std::string::npos);
  EXPECT_NE(saved.find("\" transform=\"rotate(30 150 50)\"/>"), std::string::npos);
  EXPECT_TRUE(SameSegments(reopened.paths()[sun].segments, current_[sun].segments, false));

  // Turned and skewed, an untouched point still keeps the very numbers it was written with.
  const SvgDocument turned = FromText(
      "<svg><g transform='rotate(17) skewX(5)'><path d='M10.500 +3 L1e1 7.25 L-0 "
      ".125'/></g></svg>");
  std::vector<EditedPath> moved = AsRead(turned);
  PathSegment& anchor = moved[0].segments[1];
  anchor.p.h += 1;
  anchor.in = anchor.out = anchor.p;
  const std::string text = turned.SavedText(moved);
  const size_t begin = text.find("d='") + 3;
  const std::string d = text.substr(begin, text.find('\'', begin) - begin);
  EXPECT_EQ(d.rfind("M10.500 +3 L", 0), 0u) << d;
  EXPECT_EQ(d.substr(d.size() - 9), " L-0 .125") << d;
}

TEST_F(SvgSave, DeletedPathsTakeTheirSubpathOrTheirWholeElementAndNothingElse) {
  const size_t two = PathOf("two");
  const size_t tri = PathOf("tri");
  current_.erase(current_.begin() + static_cast<long>(tri));
  current_.erase(current_.begin() + static_cast<long>(two) + 1);
  std::string expected = original_;
  // An element alone on its line takes its line with it, indentation and line end included.
  const std::string polygon = "  <polygon id=\"tri\" points=\"0,90 10,80 20,90 0,90\"/>\n";
  expected.erase(expected.find(polygon), polygon.size());
  const std::string oldD = "M0 0 L10 0 L10 10 Z M20 20 L30 20 L30 30 Z";
  expected.replace(expected.find(oldD), oldD.size(), "M0 0 L10 0 L10 10 Z");
  EXPECT_EQ(document_->SavedText(current_), expected);
}

TEST_F(SvgSave, NewPathsGoAtTheEndOfTheRoot) {
  current_.push_back(EditedPath{std::nullopt, {Corner(1, -2), Corner(3.5f, 4)}, false});
  current_.push_back(EditedPath{std::nullopt, {Corner(0.1f, 0.2f)}, true});
  std::string expected = original_;
  expected.insert(expected.rfind("</svg>"),
                  "  <path d=\"M1,2 L3.5,-4\"/>\n  <path d=\"M0.1,-0.2 Z\"/>\n");
  EXPECT_EQ(document_->SavedText(current_), expected);

  // Into the root's own transform, and into a root that had no children.
  const SvgDocument empty = FromText("<svg transform='scale(2)' />");
  EXPECT_EQ(empty.SavedText({EditedPath{std::nullopt, {Corner(2, -4), Corner(6, -8)}, false}}),
            "<svg transform='scale(2)' >\n<path d=\"M1,2 L3,4\"/>\n</svg>");
  // Indented as the last child is, with the file's line ends.
  const SvgDocument tabbed = FromText("<svg>\r\n\t<path d='M0 0 L1 1'/>\r\n</svg>\r\n");
  std::vector<EditedPath> kept = AsRead(tabbed);
  kept.push_back(EditedPath{std::nullopt, {Corner(0, 0)}, true});
  EXPECT_EQ(tabbed.SavedText(kept),
            "<svg>\r\n\t<path d='M0 0 L1 1'/>\r\n\t<path d=\"M0,0 Z\"/>\r\n</svg>\r\n");
  const SvgDocument prefixed = FromText("<s:svg xmlns:s='http://www.w3.org/2000/svg'></s:svg>");
  EXPECT_EQ(prefixed.SavedText({EditedPath{std::nullopt, {Corner(0, 0)}, true}}),
            "<s:svg xmlns:s='http://www.w3.org/2000/svg'><s:path d=\"M0,0 Z\"/></s:svg>");
}

// Paths of every closing kind, written new and read back: the same anchors, handles and flags.
TEST(SvgSaveRoundTrip, EveryKindOfPathReadsBackAsItWas) {
  const PathSegment smooth{{10, 0}, {10, -5}, {10, 5}, 0};
  const PathSegment curl{{0, 0}, {-3, 1}, {3, -1}, 0};
  const std::vector<EditedPath> paths = {
      {std::nullopt, {Corner(0, 0), Corner(10, 0), Corner(10, 10)}, false},
      {std::nullopt, {Corner(0, 0), Corner(10, 0), Corner(10, 10)}, true},
      // The closing curve has handles.
      {std::nullopt, {Corner(0, 0), smooth, Corner(0, 10)}, true},
      {std::nullopt, {curl, smooth}, true},
      // The last anchor lies on the first: both stay.
      {std::nullopt, {Corner(0, 0), Corner(10, 0), Corner(0, 0)}, true},
      {std::nullopt, {Corner(0, 0), Corner(10, 0), Corner(0, 0)}, false},
      // One anchor: a point, and one with handles that curl round to it.
      {std::nullopt, {Corner(5, 5)}, true},
      {std::nullopt, {curl}, true},
  };
  const SvgDocument empty = FromText("<svg></svg>");
  const std::string saved = empty.SavedText(paths);
  const SvgDocument reopened = FromText(saved);
  ASSERT_EQ(reopened.paths().size(), paths.size()) << saved;
  for (size_t i = 0; i < paths.size(); ++i) {
    EXPECT_TRUE(SameSegments(reopened.paths()[i].segments, paths[i].segments)) << i << saved;
    EXPECT_EQ(reopened.paths()[i].closed, paths[i].closed) << i;
  }
}

TEST(SvgSaveRoundTrip, ChangedPointsReadBackToTheSameFloatsUnderAnyTransform) {
  const char* transforms[] = {"", "rotate(33.3)", "skewX(20) scale(3 0.7)",
                              "matrix(0.3 1.7 -2.2 0.9 1e3 -7)", "translate(1e6 1e-3)"};
  std::mt19937 random(5);
  std::uniform_real_distribution<float> place(-5000, 5000);
  for (const char* transform : transforms) {
    const SvgDocument document = FromText(std::string("<svg><g transform='") + transform +
                                          "'><path d='M0 0 L1 1 L2 0'/></g></svg>");
    std::vector<EditedPath> current = AsRead(document);
    auto& s = current[0].segments;
    for (int i = 0; i < 200; ++i) {
      const float h = place(random), v = place(random) / static_cast<float>(1 + i % 7);
      s.push_back(PathSegment{{h, v}, {h + 0.1f, v}, {h - 0.1f, v}, 0});
    }
    // An open path's last anchor has no curve to carry its outgoing handle.
    s.back().out = s.back().p;
    const std::string saved = document.SavedText(current);
    const SvgDocument reopened = FromText(saved);
    const auto& back = reopened.paths().at(0).segments;
    ASSERT_EQ(back.size(), s.size());
    for (size_t i = 0; i < s.size(); ++i) {
      EXPECT_TRUE(Exactly(back[i].p, s[i].p.h, s[i].p.v)) << transform << " anchor " << i;
      EXPECT_TRUE(Exactly(back[i].in, s[i].in.h, s[i].in.v)) << transform << " anchor " << i;
      EXPECT_TRUE(Exactly(back[i].out, s[i].out.h, s[i].out.v)) << transform << " anchor " << i;
    }
  }
  // Without a transform, the shortest text that reads back to the float.
  const SvgDocument plain = FromText("<svg><path d='M0 0 L1 1'/></svg>");
  std::vector<EditedPath> current = AsRead(plain);
  current[0].segments[1] = Corner(0.1f, -1.0f / 3);
  EXPECT_EQ(plain.SavedText(current), "<svg><path d='M0 0 L0.1 0.33333334'/></svg>");
}

TEST(SvgSaveRoundTrip, PathsThatCannotBeWrittenAreRefused) {
  const SvgDocument document = FromText(
      "<svg><g transform='scale(0)'><path d='M0 0 L1 1'/></g>"
      "<path d='M0 0 L1 1'/></svg>");
  const std::vector<EditedPath> read = AsRead(document);
  auto refused = [&](std::vector<EditedPath> current) {
    return ErrorOf([&] { document.SavedText(current); });
  };
  std::vector<EditedPath> current = read;
  current[1].original = 7;
  EXPECT_EQ(refused(current), "current[1] continues path 7, but the file's paths are 0 to 1");
  current[1].original = 0;
  EXPECT_EQ(refused(current), "current[1] and current[0] both continue path 0");
  current = read;
  current[1].segments.clear();
  EXPECT_EQ(refused(current), "current[1] has no anchors");
  current = read;
  current[1].segments[0].in.v = std::nanf("");
  EXPECT_EQ(refused(current), "current[1] has a coordinate that is not a finite number");
  const SvgDocument tiny =
      FromText("<svg><path transform='scale(1e-280 1e280)' d='M0 0 L1 0'/></svg>");
  current = AsRead(tiny);
  current[0].segments[1].p.h = 1e38f;
  EXPECT_EQ(ErrorOf([&] { tiny.SavedText(current); }),
            "test.svg:1:6: <path>: its new shape reaches beyond what its own user space can hold");
  current = read;
  current[0].segments[0].p.h = 1;
  EXPECT_EQ(refused(current),
            "test.svg:1:30: <path>: its transform cannot be undone, so its new shape cannot be "
            "written");
}

TEST(SvgSaveFile, AFailedSaveLeavesTheFileAsItWasAndNothingBeside) {
  svgtest::TempFolder folder;
  const std::string file = folder / "drawing.svg";
  const std::string text = "<svg><path d='M0 0 L1 1'/></svg>";
  svgtest::WriteText(file, text);
  const SvgDocument document = SvgDocument::Open(file);

  // Paths it cannot write: nothing is touched.
  EXPECT_EQ(ErrorOf([&] {
              document.Save(file, {EditedPath{3, {Corner(0, 0)}, false}});
            }),
            file + ": not saved: current[0] continues path 3, but the file's paths are 0 to 0");
  // A folder that is not there.
  const std::string nowhere = folder / "missing/drawing.svg";
  EXPECT_EQ(ErrorOf([&] { document.Save(nowhere, AsRead(document)); }),
            nowhere +
                ": not saved: creating a temporary file beside it: No such file or "
                "directory");
  // A folder with something in it is where the file would go: refused before anything is written.
  const std::string occupied = folder / "occupied";
  std::filesystem::create_directory(occupied);
  svgtest::WriteText(folder / "occupied/keep", "x");
  EXPECT_EQ(ErrorOf([&] { document.Save(occupied, AsRead(document)); }),
            occupied + ": not saved: it is a folder, not a regular file");

  EXPECT_EQ(ReadText(file), text);
  EXPECT_EQ(ReadText(folder / "occupied/keep"), "x");
  std::vector<std::string> names = folder.Names();
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"drawing.svg", "occupied"}));
}

TEST(SvgSaveFile, ASaveReplacesTheFileKeepingItsPermissionsAndItsLink) {
  svgtest::TempFolder folder;
  const std::string file = folder / "drawing.svg";
  const std::string link = folder / "link.svg";
  svgtest::WriteText(file, "<svg><path d='M0 0 L1 1'/></svg>");
  chmod(file.c_str(), 0640);
  std::filesystem::create_symlink(file, link);
  const SvgDocument document = SvgDocument::Open(link);
  std::vector<EditedPath> current = AsRead(document);
  current[0].segments[1] = Corner(2, -2);
  document.Save(link, current);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadText(file), "<svg><path d='M0 0 L2 2'/></svg>");
  struct stat info {};
  ASSERT_EQ(stat(file.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_EQ(folder.Names().size(), 2u);
}

TEST(SvgSaveFile, ANewFileGetsThePermissionsTheUmaskLeaves) {
  svgtest::TempFolder folder;
  const std::string file = folder / "drawing.svg";
  svgtest::WriteText(file, "<svg><path d='M0 0 L1 1'/></svg>");
  const SvgDocument document = SvgDocument::Open(file);
  const std::string fresh = folder / "private.svg";
  const mode_t previous = umask(077);
  document.Save(fresh, AsRead(document));
  umask(previous);
  struct stat info {};
  ASSERT_EQ(stat(fresh.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u) << "a drawing kept private stays private";
}

// Edits written in the element's own words: what did not change keeps its text, and what did
// changes only its numbers where the command allows it.

// The text's numbers, and the text with each number a '#'.
std::string Skeleton(const std::string& text, std::vector<std::string>& numbers) {
  std::string out;
  auto digit = [&](size_t i) { return i < text.size() && text[i] >= '0' && text[i] <= '9'; };
  for (size_t i = 0; i < text.size();) {
    const size_t m = text[i] == '-' || text[i] == '+' ? i + 1 : i;
    if (!(digit(m) || (m < text.size() && text[m] == '.' && digit(m + 1)))) {
      out += text[i++];
      continue;
    }
    size_t end = m;
    while (digit(end)) ++end;
    if (end < text.size() && text[end] == '.') ++end;
    while (digit(end)) ++end;
    if (end + 1 < text.size() && (text[end] == 'e' || text[end] == 'E')) {
      const size_t exponent = end + 1 + (text[end + 1] == '-' || text[end + 1] == '+');
      if (digit(exponent)) {
        end = exponent;
        while (digit(end)) ++end;
      }
    }
    numbers.push_back(text.substr(i, end - i));
    out += '#';
    i = end;
  }
  return out;
}

// Passes when `after` is `before` with only the numbers `changed` changed, and those to `to`.
::testing::AssertionResult NumbersChanged(const std::string& before, const std::string& after,
                                          const std::vector<std::string>& changed,
                                          const std::vector<std::string>& to) {
  std::vector<std::string> was, now;
  if (Skeleton(before, was) != Skeleton(after, now)) {
    return ::testing::AssertionFailure() << "more than numbers changed:\n" << after;
  }
  std::vector<std::string> from, into;
  for (size_t i = 0; i < was.size(); ++i) {
    if (was[i] != now[i]) {
      from.push_back(was[i]);
      into.push_back(now[i]);
    }
  }
  if (from != changed || into != to) {
    return ::testing::AssertionFailure() << "other numbers changed:\n" << after;
  }
  return ::testing::AssertionSuccess();
}

// As the palette moves an anchor: its handles keep their offsets from it.
void Move(PathSegment& s, float dx, float dy) {
  const RealPoint in{s.in.h - s.p.h, s.in.v - s.p.v}, out{s.out.h - s.p.h, s.out.v - s.p.v};
  s.p = {s.p.h + dx, s.p.v + dy};
  s.in = {s.p.h + in.h, s.p.v + in.v};
  s.out = {s.p.h + out.h, s.p.v + out.v};
}

// Whether `saved` opens as `current`, but for the handles an open path cannot store.
::testing::AssertionResult OpensAs(const std::string& saved,
                                   const std::vector<EditedPath>& current) {
  const SvgDocument again = FromText(saved);
  if (again.paths().size() != current.size()) {
    return ::testing::AssertionFailure() << again.paths().size() << " paths in\n" << saved;
  }
  for (size_t k = 0; k < current.size(); ++k) {
    const auto& got = again.paths()[k].segments;
    const auto& meant = current[k].segments;
    const bool closed = current[k].closed || meant.size() == 1;
    auto at = [](const RealPoint& a, const RealPoint& b) { return a.h == b.h && a.v == b.v; };
    bool same = got.size() == meant.size() && again.paths()[k].closed == closed;
    for (size_t i = 0; same && i < got.size(); ++i) {
      same = at(got[i].p, meant[i].p) && ((!closed && i == 0) || at(got[i].in, meant[i].in)) &&
             ((!closed && i + 1 == got.size()) || at(got[i].out, meant[i].out));
    }
    if (!same) return ::testing::AssertionFailure() << "path " << k << " differs in\n" << saved;
  }
  return ::testing::AssertionSuccess();
}

// The drawing saved with one anchor moved, checked to open as saved.
std::string SavedWithMove(const std::string& text, size_t path, size_t anchor, float dx, float dy) {
  const SvgDocument document = FromText(text);
  std::vector<EditedPath> current = AsRead(document);
  Move(current.at(path).segments.at(anchor), dx, dy);
  const std::string saved = document.SavedText(current);
  EXPECT_TRUE(OpensAs(saved, current));
  return saved;
}

TEST(SvgEdit, OneMovedAnchorChangesOneNumberPair) {
  // An absolute path.
  std::string text = "<svg><path d='M10 20 L30 40 L50 60 L70 80'/></svg>";
  EXPECT_TRUE(
      NumbersChanged(text, SavedWithMove(text, 0, 2, 1.5f, -2), {"50", "60"}, {"51.5", "62"}));
  // A relative one: the step into the anchor changes; the closepath takes the pen back to the
  // start, so the moveto after it keeps its numbers.
  text = "<svg><path d='m10 20 l20 20 l20 20 l20 20 z m5 5 l1 1'/></svg>";
  EXPECT_TRUE(
      NumbersChanged(text, SavedWithMove(text, 0, 3, 1.5f, -2), {"20", "20"}, {"21.5", "22"}));
  // A polygon stays one, with one pair of its points changed.
  text = "<svg><polygon points='0,90 10,80 20,90'/></svg>";
  EXPECT_TRUE(
      NumbersChanged(text, SavedWithMove(text, 0, 1, 1.5f, -2), {"10", "80"}, {"11.5", "82"}));
  // Arcs in another subpath keep their text.
  text = "<svg><path d='M0 0 A10 10 0 0 1 20 0 a5 5 0 1 0 10 0 Z M0 50 L10 50 L20 60'/></svg>";
  EXPECT_TRUE(
      NumbersChanged(text, SavedWithMove(text, 1, 1, 1.5f, -2), {"10", "50"}, {"11.5", "52"}));
}

TEST(SvgEdit, RelativeCommandsAfterAMovedAnchorKeepTheirEndsWhereTheyWere) {
  const std::string text = "<svg><path d='m10 20 l20 20 l20 20 l20 20 m5 5 l1 1'/></svg>";
  // The step out of the anchor changes too, so that the next anchor stays.
  EXPECT_TRUE(NumbersChanged(text, SavedWithMove(text, 0, 1, 1.5f, -2), {"20", "20", "20", "20"},
                             {"21.5", "22", "18.5", "18"}));
  // An open subpath ends the pen at its last anchor: a relative moveto after it changes so that
  // the next subpath stays where it was.
  EXPECT_TRUE(NumbersChanged(text, SavedWithMove(text, 0, 3, 1.5f, -2), {"20", "20", "5", "5"},
                             {"21.5", "22", "3.5", "3"}));
  // With the first subpath gone, the moveto counts from the origin.
  const SvgDocument document = FromText(text);
  EXPECT_EQ(document.SavedText({AsRead(document)[1]}), "<svg><path d='m75 85 l1 1'/></svg>");
}

TEST(SvgEdit, ACommandThatCannotDrawTheNewSegmentBecomesOneOfItsSubpathsKind) {
  // A handle drawn out of a corner: the line after it becomes a relative curve, with the
  // separators the data uses.
  const SvgDocument document = FromText("<svg><path d='m0,0 l10,0 l0,10 l-10,0 z'/></svg>");
  std::vector<EditedPath> current = AsRead(document);
  current[0].segments[1].out = {13, 0};
  std::string saved = document.SavedText(current);
  EXPECT_EQ(saved, "<svg><path d='m0,0 l10,0 c3,0 0,10 0,10 l-10,0 z'/></svg>");
  EXPECT_TRUE(OpensAs(saved, current));
  // A horizontal line whose end leaves its line becomes a line, absolute as it was; the vertical
  // one after it still is one.
  EXPECT_EQ(SavedWithMove("<svg><path d='M0 0 H10 V10 H0 Z'/></svg>", 0, 1, 0, -2),
            "<svg><path d='M0 0 L10 2 V10 H0 Z'/></svg>");
  // An arc whose start moved is no arc any more: relative curves, as the arc was relative.
  saved = SavedWithMove("<svg><path d='M0 0 l10 0 a5 5 0 0 1 10 0'/></svg>", 0, 1, 0, -2);
  const std::string d = saved.substr(saved.find("d='") + 3);
  EXPECT_EQ(d.rfind("M0 0 l10 2 c", 0), 0u) << d;
  EXPECT_EQ(d.find_first_of("AaCLlMm", 12), std::string::npos) << d;
  // A moveto's further pairs are lines: when one becomes a curve, the rest name theirs again.
  const SvgDocument pairs = FromText("<svg><path d='M0,0 10,0 20,0 30,0'/></svg>");
  current = AsRead(pairs);
  current[0].segments[1].out = {12, 1};
  EXPECT_EQ(pairs.SavedText(current), "<svg><path d='M0,0 10,0 C12,-1 20,0 20,0 L30,0'/></svg>");
}

TEST(SvgEdit, NumbersAreTheShortestThatLandAndNeverRunTogether) {
  // 1.001 + 1.99 + 1.75 is 4.741000000000001 in doubles: the step is written as it is meant.
  EXPECT_EQ(
      SavedWithMove("<svg><path d='m1.001 1.99 l1.99 1.001 l 1.5 1.5'/></svg>", 0, 2, 0.25f, 0),
      "<svg><path d='m1.001 1.99 l1.99 1.001 l 1.75 1.5'/></svg>");
  // Written anew, with an anchor added.
  const SvgDocument document = FromText("<svg><path d='m1.001 1.99 l1.99 1.001 l1.5 1.5'/></svg>");
  std::vector<EditedPath> current = AsRead(document);
  current[0].segments.push_back(PathSegment{{7, -7}, {7, -7}, {7, -7}, 1});
  const std::string saved = document.SavedText(current);
  EXPECT_EQ(saved, "<svg><path d='m1.001 1.99 l1.99 1.001 l1.5 1.5 l2.509 2.509'/></svg>");
  EXPECT_TRUE(OpensAs(saved, current));
  // Numbers written together stay apart as numbers: "-10-10" as "10 10", not "1010".
  EXPECT_EQ(SavedWithMove("<svg><path d='M0-0-10-10-20-20'/></svg>", 0, 1, 20, -20),
            "<svg><path d='M0-0 10 10-20-20'/></svg>");
  EXPECT_EQ(SavedWithMove("<svg><path d='M.5.5.5.5'/></svg>", 0, 0, 0.25f, 0),
            "<svg><path d='M.75.5.5.5'/></svg>");
  EXPECT_EQ(SavedWithMove("<svg><path d='M0,0 l-.5-.5-.5-.5'/></svg>", 0, 1, 0.25f, 0),
            "<svg><path d='M0,0 l-.25-.5-.75-.5'/></svg>");
}

TEST(SvgEdit, ASubpathWithAnchorsAddedOrTakenAwayIsWrittenAnewInItsOwnKind) {
  const SvgDocument document =
      FromText("<svg><path d='M0 0 L10 0 L10 10 Z m5 5 l1 1 l1 -1'/></svg>");
  std::vector<EditedPath> current = AsRead(document);
  current[1].segments.erase(current[1].segments.begin() + 1);
  EXPECT_EQ(document.SavedText(current), "<svg><path d='M0 0 L10 0 L10 10 Z m5 5 l2 0'/></svg>");
  // Closed now, its last anchor on its first: the closing segment is written out, or the last
  // anchor would merge into the first.
  current = AsRead(document);
  current[1].closed = true;
  current[1].segments[2] = current[1].segments[0];
  const std::string saved = document.SavedText(current);
  EXPECT_EQ(saved, "<svg><path d='M0 0 L10 0 L10 10 Z m5 5 l1 1 l-1 -1 l0 0 z'/></svg>");
  EXPECT_TRUE(OpensAs(saved, current));
}

TEST(SvgEdit, AShapeStaysThatShapeWhileItStillIsOne) {
  EXPECT_EQ(SavedWithMove("<svg><line x1='1' y1='2' x2='3' y2='4'/></svg>", 0, 1, 1, -1),
            "<svg><line x1='1' y1='2' x2='4' y2='5'/></svg>");
  // A rect moved whole keeps its size; one resized along its sides keeps its place.
  const SvgDocument rect = FromText("<svg><rect x='1' y='2' width='3' height='4' id='r'/></svg>");
  std::vector<EditedPath> current = AsRead(rect);
  for (PathSegment& s : current[0].segments) Move(s, 1.5f, -1);
  EXPECT_EQ(rect.SavedText(current),
            "<svg><rect x='2.5' y='3' width='3' height='4' id='r'/></svg>");
  current = AsRead(rect);
  Move(current[0].segments[1], 2, 0);
  Move(current[0].segments[2], 2, 0);
  EXPECT_EQ(rect.SavedText(current), "<svg><rect x='1' y='2' width='5' height='4' id='r'/></svg>");
  // One without an x takes one when it moves.
  const SvgDocument corner = FromText("<svg><rect width='3' height='4'/></svg>");
  current = AsRead(corner);
  for (PathSegment& s : current[0].segments) Move(s, 2, 0);
  EXPECT_EQ(corner.SavedText(current), "<svg><rect width='3' height='4' x='2'/></svg>");
  // A circle moved whole, where its quarters land on the very floats moved.
  const SvgDocument circle = FromText("<svg><circle cx='20' cy='20' r='4'/></svg>");
  current = AsRead(circle);
  for (PathSegment& s : current[0].segments) Move(s, 1, -1);
  EXPECT_EQ(circle.SavedText(current), "<svg><circle cx='21' cy='21' r='4'/></svg>");
  // A polyline with a vertex taken away: its points written again, spaced as they were.
  const SvgDocument polyline = FromText("<svg><polyline points=' 1,2  3,4  5,6 '/></svg>");
  current = AsRead(polyline);
  current[0].segments.erase(current[0].segments.begin() + 1);
  EXPECT_EQ(polyline.SavedText(current), "<svg><polyline points=' 1,2  5,6 '/></svg>");
  // A polygon whose last vertex moved onto its first says that vertex again at the end.
  const SvgDocument triangle = FromText("<svg><polygon points='0,0 10,0 10,10'/></svg>");
  current = AsRead(triangle);
  current[0].segments[2] = current[0].segments[0];
  const std::string saved = triangle.SavedText(current);
  EXPECT_EQ(saved, "<svg><polygon points='0,0 10,0 0,0 0,0'/></svg>");
  EXPECT_TRUE(OpensAs(saved, current));
}

TEST(SvgEdit, AShapeThatIsNoLongerOneBecomesAPath) {
  EXPECT_EQ(SavedWithMove("<svg><rect x='1' y='2' width='3' height='4'/></svg>", 0, 1, 1, 0),
            "<svg><path d=\"M1,2 L5,2 L4,6 L1,6 Z\"/></svg>");
  const std::string circle =
      SavedWithMove("<svg><circle cx='20' cy='20' r='4'/></svg>", 0, 0, 1, 0);
  EXPECT_EQ(circle.rfind("<svg><path d=\"M25,20 C25,22.209139 ", 0), 0u) << circle;
  const SvgDocument polygon = FromText("<svg><polygon points='0,0 10,0 10,10'/></svg>");
  std::vector<EditedPath> current = AsRead(polygon);
  current[0].segments[1].out = {12, 0};
  EXPECT_EQ(polygon.SavedText(current), "<svg><path d=\"M0,0 L10,0 C12,0 10,10 10,10 Z\"/></svg>");
}

// Path data of every command, number form and separator, under transforms, edited in every way a
// session can: each save opens as saved, and a moved anchor leaves the subpaths before it as they
// were, byte for byte.
TEST(SvgEdit, EveryEditOfEveryKindOfDataReadsBackExactly) {
  std::mt19937 random(12);
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
  auto number = [&](bool relative) {
    if (pick(6) == 0) return "." + std::to_string(1 + pick(9));
    const double value =
        std::uniform_real_distribution<double>(relative ? -20 : 0, relative ? 20 : 200)(random);
    char text[64];
    switch (pick(4)) {
      case 0:
        std::snprintf(text, sizeof text, "%.0f", value);
        break;
      case 1:
        std::snprintf(text, sizeof text, "%.3f", value);
        break;
      case 2:
        std::snprintf(text, sizeof text, "%.2e", value);
        break;
      default:
        std::snprintf(text, sizeof text, "%g", value);
        break;
    }
    return std::string(text);
  };
  const char* transforms[] = {
      "",         "translate(3 4)", "rotate(33)", "scale(2 0.5)", "matrix(0.3 1.7 -2.2 0.9 10 -7)",
      "skewX(20)"};
  int checked = 0;
  for (int round = 0; round < 3000; ++round) {
    std::string d;
    std::vector<size_t> starts;  // where each subpath's text begins
    for (int subpath = 1 + pick(3); subpath > 0; --subpath) {
      starts.push_back(d.size());
      const bool relative = pick(2) == 0;
      auto letter = [&](char c) {
        return std::string(1, relative ? static_cast<char>(c + 'a' - 'A') : c);
      };
      auto space = [&] { return std::string(pick(3) == 0 ? "" : pick(2) ? " " : "\n "); };
      auto pair = [&] { return number(relative) + (pick(2) ? "," : " ") + number(relative); };
      if (pick(8) == 0) d += "M" + pair() + " ";  // a moveto that draws nothing
      // After a closepath, drawing on starts where the subpath did.
      if (d.empty() || pick(6) > 0 || (d.back() != 'Z' && d.back() != 'z')) {
        d += (d.empty() ? "M" : letter('M')) + pair();
      }
      for (int command = 1 + pick(6); command > 0; --command) {
        d += space();
        switch (pick(9)) {
          case 1:
            d += letter('H') + number(relative);
            break;
          case 2:
            d += letter('V') + number(relative);
            break;
          case 3:
            d += letter('C') + pair() + " " + pair() + " " + pair();
            break;
          case 4:
            d += letter('S') + pair() + " " + pair();
            break;
          case 5:
            d += letter('Q') + pair() + " " + pair();
            break;
          case 6:
            d += letter('T') + pair();
            break;
          case 7:
            d += letter('A') + std::to_string(1 + pick(30)) + " " + std::to_string(1 + pick(30)) +
                 " " + std::to_string(pick(90)) + " " + std::to_string(pick(2)) + " " +
                 std::to_string(pick(2)) + " " + pair();
            break;
          default:
            d += letter('L') + pair() + (pick(3) == 0 ? " " + pair() : "");
            break;
        }
      }
      if (pick(2) == 0) d += space() + letter('Z');
    }
    const std::string transform = transforms[pick(6)];
    const std::string prefix =
        "<svg><path" + (transform.empty() ? "" : " transform='" + transform + "'") + " d='";
    std::optional<SvgDocument> document;
    try {
      document.emplace(FromText(prefix + d + "'/></svg>"));
    } catch (const SvgError&) {
      continue;  // numbers the generator ran together
    }
    std::vector<EditedPath> current = AsRead(*document);
    if (current.empty()) continue;
    const size_t p = pick(static_cast<int>(current.size()));
    std::vector<PathSegment>& s = current[p].segments;
    const size_t a = pick(static_cast<int>(s.size()));
    const int edit = pick(8);
    switch (edit) {
      case 0:
        s[a].out = {s[a].p.h + 3, s[a].p.v};
        break;
      case 1:
        s[a].in = s[a].out = s[a].p;
        break;
      case 2:
        if (current.size() > 1) current.erase(current.begin() + static_cast<long>(p));
        break;
      case 3:
        if (s.size() > 2) {
          s.erase(s.begin() + static_cast<long>(a));
        } else {
          s.push_back(s.front());
          Move(s.back(), 5, 5);
        }
        break;
      default:
        Move(s[a], 0.75f * static_cast<float>(pick(5) - 2), 1.5f * static_cast<float>(pick(5) - 2));
        break;
    }
    std::string saved;
    try {
      saved = document->SavedText(current);
    } catch (const SvgError&) {
      continue;  // a point the skewed or squeezed transform cannot carry back
    }
    ASSERT_TRUE(OpensAs(saved, current)) << d;
    // A subpath made of an arc to where it started draws nothing, and counts no subpath.
    if (edit >= 4 && current.size() == starts.size()) {
      EXPECT_EQ(saved.substr(0, prefix.size() + starts[p]),
                (prefix + d).substr(0, prefix.size() + starts[p]));
    }
    ++checked;
  }
  EXPECT_GT(checked, 2500);
}

}  // namespace
}  // namespace tavrix::svg
