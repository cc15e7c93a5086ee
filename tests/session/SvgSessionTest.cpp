// SVG drawings in a session: opened as the document, edited through the palette, saved back.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "host/svg/SvgDocument.h"
#include "session/Session.h"
#include "support/PluginBytes.h"

namespace tavrix::app {
namespace {

std::string Fixture(const std::string& name) {
  return std::string(TAVRIX_SVG_FIXTURES) + "/" + name;
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

struct Outcome {
  int code;
  std::string output;
};

Outcome Play(const std::string& script) {
  std::ostringstream out;
  int code = 0;
  {
    Session session({test::PluginPath()}, out);
    std::istringstream in(script);
    code = session.Run(in, "svg.tavrix");
  }
  return {code, out.str()};
}

std::string TempName(const std::string& name) {
  return (test::TempFolder() / name).string();
}

TEST(SvgSession, AnEditedAnchorIsSavedAndEverythingElseComesBackAsItWas) {
  const std::string saved = TempName("edited.svg");
  // Path 5 is the polygon "tri" (0,90 10,80 20,90 0,90): its second anchor is at (10, -80).
  const Outcome outcome = Play("open " + Fixture("drawing.svg") +
                               "\n"
                               "menu\n"
                               "select 5 1\n"
                               "type pointXField 12.5\n"
                               "expect anchor 5 1 12.5 -80\n"
                               "save " +
                               saved + "\n");
  ASSERT_EQ(outcome.code, 0) << outcome.output;
  EXPECT_NE(outcome.output.find("Opened "), std::string::npos);

  const std::string before = ReadText(Fixture("drawing.svg"));
  const std::string after = ReadText(saved);
  // Only the polygon's element differs: everything before and after it is byte for byte.
  const size_t start = before.find("<polygon");
  const size_t end = before.find("/>", start) + 2;
  EXPECT_EQ(after.substr(0, start), before.substr(0, start));
  EXPECT_EQ(after.substr(after.size() - (before.size() - end)), before.substr(end));
  const std::string element = after.substr(start, after.size() - (before.size() - end) - start);
  // A moved vertex of a polygon is one changed pair of its points: it stays a polygon.
  EXPECT_EQ(element, "<polygon id=\"tri\" points=\"0,90 12.5,80 20,90 0,90\"/>");

  // Opened again: every coordinate as it was, but the one typed.
  const auto original = svg::SvgDocument::Open(Fixture("drawing.svg"));
  const auto reopened = svg::SvgDocument::Open(saved);
  ASSERT_EQ(reopened.paths().size(), original.paths().size());
  for (size_t p = 0; p < original.paths().size(); ++p) {
    const auto& a = original.paths()[p].segments;
    const auto& b = reopened.paths()[p].segments;
    ASSERT_EQ(a.size(), b.size()) << "path " << p;
    for (size_t i = 0; i < a.size(); ++i) {
      const bool typed = p == 5 && i == 1;
      EXPECT_EQ(b[i].p.h, typed ? 12.5f : a[i].p.h) << p << " " << i;
      EXPECT_EQ(b[i].p.v, a[i].p.v) << p << " " << i;
      if (!typed) {
        EXPECT_EQ(b[i].in.h, a[i].in.h) << p << " " << i;
        EXPECT_EQ(b[i].out.v, a[i].out.v) << p << " " << i;
      }
    }
  }
}

TEST(SvgSession, ABadFileIsRefusedByNameAndTheDocumentStays) {
  const Outcome outcome = Play(
      "document\n"
      "path 1 2 ; 3 4\n"
      "open " +
      Fixture("bad-path.svg") + "\n");
  EXPECT_EQ(outcome.code, 1);
  EXPECT_NE(outcome.output.find("bad-path.svg:"), std::string::npos) << outcome.output;
  EXPECT_NE(outcome.output.find("<path"), std::string::npos) << outcome.output;

  std::ostringstream out;
  Session session({test::PluginPath()}, out);
  std::istringstream script("document\npath 1 2 ; 3 4\nopen " + Fixture("not-svg.svg") + "\n");
  EXPECT_EQ(session.Run(script, "svg.tavrix"), 1);
  ASSERT_NE(session.host().document(), nullptr);
  EXPECT_EQ(session.host().document()->paths().size(), 1u);
}

TEST(SvgSession, ADrawingMadeInTheSessionIsSavedAsANewFileAndSurvivesARestart) {
  const std::string saved = TempName("new.svg");
  const Outcome outcome = Play(
      "document\n"
      "save\n");
  EXPECT_EQ(outcome.code, 1);
  EXPECT_NE(outcome.output.find("save FILE.svg"), std::string::npos) << outcome.output;

  const std::string twice = TempName("restarted.svg");
  ASSERT_EQ(Play("document\n"
                 "path closed 0 0 ; 10 0 in 5 5 ; 10 10\n"
                 "save " +
                 saved +
                 "\n"
                 "open " +
                 saved +
                 "\n"
                 "restart\n"
                 "menu\n"
                 "select 0 0\n"
                 "spin pointXSpin up\n"
                 "save " +
                 twice + "\n")
                .code,
            0);
  const auto reopened = svg::SvgDocument::Open(twice);
  ASSERT_EQ(reopened.paths().size(), 1u);
  EXPECT_TRUE(reopened.paths()[0].closed);
  EXPECT_EQ(reopened.paths()[0].segments[0].p.h, 1.0f);
  EXPECT_EQ(reopened.paths()[0].segments[1].in.h, 5.0f);
  // The restart kept which element the path came from: it was rewritten, not added.
  EXPECT_EQ(ReadText(twice).find("<path", ReadText(twice).find("<path") + 1), std::string::npos);
}

}  // namespace
}  // namespace tavrix::app
