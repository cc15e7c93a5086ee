// Saving: what did not change comes back byte for byte and number for number; what changed is
// written so that it reads back exactly; and a failed save leaves the file as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <random>

#include "SvgTestSupport.h"

namespace tavrix::svg {
namespace {

using testing::AsRead;
using testing::ErrorOf;
using testing::Exactly;
using testing::Fixture;
using testing::FromText;
using testing::ReadText;
using testing::SameSegments;

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
  testing::TempFolder folder;
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
  // Numbers read as written keep their text ("1e2", ".5"); computed ones are the shortest text.
  EXPECT_EQ(newD.rfind("M1e2,.5 L31,41 L35,45 C36,46 37,47 38,48 C", 0), 0u) << newD;
  EXPECT_EQ(newD.substr(newD.size() - 8), " 70,80 Z") << newD;

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
  EXPECT_EQ(d.rfind("M10.500,+3 L", 0), 0u) << d;
  EXPECT_EQ(d.substr(d.size() - 9), " L-0,.125") << d;
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
  expected.replace(expected.find(oldD), oldD.size(), "M0,0 L10,0 L10,10 Z");
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
  EXPECT_EQ(plain.SavedText(current), "<svg><path d='M0,0 L0.1,0.33333334'/></svg>");
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
  testing::TempFolder folder;
  const std::string file = folder / "drawing.svg";
  const std::string text = "<svg><path d='M0 0 L1 1'/></svg>";
  testing::WriteText(file, text);
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
  testing::WriteText(folder / "occupied/keep", "x");
  EXPECT_EQ(ErrorOf([&] { document.Save(occupied, AsRead(document)); }),
            occupied + ": not saved: it is a folder, not a regular file");

  EXPECT_EQ(ReadText(file), text);
  EXPECT_EQ(ReadText(folder / "occupied/keep"), "x");
  std::vector<std::string> names = folder.Names();
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"drawing.svg", "occupied"}));
}

TEST(SvgSaveFile, ASaveReplacesTheFileKeepingItsPermissionsAndItsLink) {
  testing::TempFolder folder;
  const std::string file = folder / "drawing.svg";
  const std::string link = folder / "link.svg";
  testing::WriteText(file, "<svg><path d='M0 0 L1 1'/></svg>");
  chmod(file.c_str(), 0640);
  std::filesystem::create_symlink(file, link);
  const SvgDocument document = SvgDocument::Open(link);
  std::vector<EditedPath> current = AsRead(document);
  current[0].segments[1] = Corner(2, -2);
  document.Save(link, current);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadText(file), "<svg><path d='M0,0 L2,2'/></svg>");
  struct stat info {};
  ASSERT_EQ(stat(file.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_EQ(folder.Names().size(), 2u);
}

TEST(SvgSaveFile, ANewFileGetsThePermissionsTheUmaskLeaves) {
  testing::TempFolder folder;
  const std::string file = folder / "drawing.svg";
  testing::WriteText(file, "<svg><path d='M0 0 L1 1'/></svg>");
  const SvgDocument document = SvgDocument::Open(file);
  const std::string fresh = folder / "private.svg";
  const mode_t previous = umask(077);
  document.Save(fresh, AsRead(document));
  umask(previous);
  struct stat info {};
  ASSERT_EQ(stat(fresh.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u) << "a drawing kept private stays private";
}

}  // namespace
}  // namespace tavrix::svg
