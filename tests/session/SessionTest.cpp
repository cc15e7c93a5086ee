// The session language: how lines are read, how failures are reported, what persists.
#include "session/Session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "palette/PaletteItems.h"
#include "session/PaletteItemNames.h"
#include "session/ScriptWords.h"
#include "support/PluginBytes.h"

namespace tavrix::app {
namespace {

struct Outcome {
  int code;
  std::string output;
};

Outcome RunScript(const std::string& script, const std::string& preferences = "") {
  std::ostringstream out;
  int code = 0;
  {
    Session session({test::PluginPath(), preferences}, out);
    std::istringstream in(script);
    code = session.Run(in, "test.tavrix");
  }
  return {code, out.str()};
}

TEST(ScriptWords, QuotedWordsKeepSpacesAndEscapes) {
  EXPECT_EQ(SplitScriptLine(R"(expect item 6 text "a \"b\" c\r" # comment)"),
            (std::vector<std::string>{"expect", "item", "6", "text", "a \"b\" c\r"}));
  EXPECT_EQ(SplitScriptLine("   # only a comment"), std::vector<std::string>{});
  EXPECT_EQ(SplitScriptLine("type 6 \"\""), (std::vector<std::string>{"type", "6", ""}));
  EXPECT_THROW(SplitScriptLine("expect alert \"open"), ScriptError);
  EXPECT_THROW(NumberWord("12px", "a number"), ScriptError);
  EXPECT_THROW(IntegerWord("1.5", "a count"), ScriptError);
}

TEST(PaletteItemNames, NamesAndIdsAnswerEachOther) {
  EXPECT_EQ(PaletteItemId("inXField"), 16);
  EXPECT_EQ(PaletteItemId("16"), 16);
  EXPECT_EQ(PaletteItemId("flyoutMenu"), -5);
  EXPECT_FALSE(PaletteItemId("inXFeld").has_value());
  EXPECT_FALSE(PaletteItemId("47").has_value());
  EXPECT_EQ(PaletteItemName(23), "yBoundsValue");
  EXPECT_EQ(PaletteItemName(9), "item 9");
}

TEST(PaletteItemNames, EveryItemAPersonCanSeeHasOneNameAndEachNameOneItem) {
  std::ostringstream out;
  Session session({test::PluginPath(), ""}, out);
  std::istringstream script("menu\n");
  ASSERT_EQ(session.Run(script, "names.tavrix"), 0) << out.str();
  const host::HostDialog* palette = session.host().dialogs().DialogNamed(kPaletteDialogName);
  ASSERT_NE(palette, nullptr);
  std::set<std::string> names;
  for (const auto& item : palette->items) {
    if (item->parent != nullptr) continue;  // a spin's text part is its spin's
    const ADMRect& b = item->bounds;
    // The resource's one item of no size is never shown and has no name.
    if (b.right == b.left && b.bottom == b.top) continue;
    const std::string name = PaletteItemName(item->id);
    EXPECT_NE(name.rfind("item ", 0), 0u) << "item " << item->id << " has no name";
    EXPECT_EQ(PaletteItemId(name), item->id) << name;
    EXPECT_TRUE(names.insert(name).second) << name << " names two items";
  }
  EXPECT_GE(names.size(), 45u);
}

TEST(Session, AFailedExpectationStopsWithItsLineAndWhatWasFound) {
  const Outcome outcome = RunScript(
      "document\n"
      "# a comment line still counts\n"
      "menu\n"
      "expect palette height 999\n"
      "expect palette visible\n");
  EXPECT_EQ(outcome.code, 1);
  EXPECT_NE(outcome.output.find("test.tavrix:4: expect palette height 999\n  found height 164"),
            std::string::npos)
      << outcome.output;
}

TEST(Session, AByteOrderMarkIsTakenAndARefusedLineIsEchoedShort) {
  const Outcome marked = RunScript(
      "\xEF\xBB\xBF"
      "document\nmenu\nexpect palette visible\n");
  EXPECT_EQ(marked.code, 0) << marked.output;
  // Only at the start: anywhere else the mark is part of a word.
  EXPECT_EQ(RunScript("document\n\xEF\xBB\xBF"
                      "menu\n")
                .code,
            1);

  const std::string huge(1 << 20, 'x');
  const Outcome refused = RunScript("document\n" + huge + "\n");
  EXPECT_EQ(refused.code, 1);
  EXPECT_LT(refused.output.size(), 2000u);
  EXPECT_NE(refused.output.find("(1048576 bytes in all)"), std::string::npos) << refused.output;
  // A cut never splits a character: 199 bytes of x, then two-byte characters.
  const std::string cut = Excerpt(std::string(199, 'x') + "\xC3\xA9\xC3\xA9", 200);
  EXPECT_EQ(cut.substr(0, 202), std::string(199, 'x') + "...");
}

TEST(Session, MistakesInTheScriptAreToldPlainly) {
  EXPECT_NE(RunScript("frobnicate\n").output.find("unknown command 'frobnicate'"),
            std::string::npos);
  EXPECT_NE(RunScript("select 0 0\n").output.find("there is no document"), std::string::npos);
  EXPECT_NE(RunScript("document\npath 0 0\nselect 0 5\n").output.find("path 0 has no anchor 5"),
            std::string::npos);
  EXPECT_NE(RunScript("document\nexpect item nonsense visible\n").output.find("no palette item"),
            std::string::npos);
  // A palette that cannot be seen cannot be used.
  EXPECT_NE(RunScript("document\nflyout 1\n").output.find("the palette is hidden"),
            std::string::npos);
}

TEST(Session, EachCommandWrittenWrongSaysHowHelpWritesIt) {
  const std::string help = Session::HelpText();
  // A line that names a command with words it cannot take; each gets the usage of its own row.
  const std::vector<std::pair<std::string, std::string>> misuses = {
      {"open", "open"},
      {"save", "save a b"},
      {"document", "document a b"},
      {"select", "select 0"},
      {"select-handle", "select-handle 0 0 up"},
      {"delete", "delete"},
      {"delete-anchor", "delete-anchor 0"},
      {"insert-anchor", "insert-anchor 0 0"},
      {"close-document", "close-document now"},
      {"units", "units"},
      {"increment", "increment"},
      {"menu", "menu now"},
      {"window", "window spin"},
      {"type", "type pointXField"},
      {"click", "click"},
      {"cmd-click", "cmd-click"},
      {"flyout", "flyout"},
      {"spin", "spin pointXSpin sideways"},
      {"undo", "undo twice"},
      {"redo", "redo twice"},
      {"restart", "restart now"},
      {"pref", "pref key"},
      {"fail", "fail"},
      {"zoom", "zoom"},
      {"scroll", "scroll 1"},
      {"redraw", "redraw now"},
      {"print", "print xml"},
#ifndef _WIN32
      {"render", "render"},
#endif
      {"help", "help me"},
      {"drag", "drag anchor 0"},
      {"nudge", "nudge sideways"},
  };
  std::set<std::string> named;
  for (const auto& [name, line] : misuses) {
    named.insert(name);
    const auto row = std::find_if(Session::Commands().begin(), Session::Commands().end(),
                                  [&](const Session::Command& c) { return name == c.name; });
    ASSERT_NE(row, Session::Commands().end()) << name;
    const std::string output = RunScript("document\nmenu\n" + line + "\n").output;
    EXPECT_NE(output.find(std::string("usage: ") + row->usage), std::string::npos) << line << "\n"
                                                                                   << output;
  }
  // Every command is listed by help under its own usage, and every row is one misuse above or
  // takes any words (path, select-paths, deselect, expect).
  for (const Session::Command& command : Session::Commands()) {
    EXPECT_EQ(std::string(command.usage).rfind(command.name, 0), 0u) << command.name;
    EXPECT_NE(help.find("  " + std::string(command.usage)), std::string::npos) << command.name;
    std::set<std::string> anyWords = {"path", "select-paths", "deselect", "expect"};
#ifdef _WIN32
    anyWords.insert("render");  // a build without cairo refuses every render alike
#endif
    EXPECT_TRUE(named.count(command.name) == 1 || anyWords.count(command.name) == 1)
        << command.name << " has no misuse checked";
  }
}

TEST(Session, AnArrowIsHeldNoLongerThanAPersonHoldsIt) {
  const std::string start = "document\npath 0 0 ; 100 0\nmenu\nselect 0 0\n";
  const Outcome longest =
      RunScript(start + "spin pointXSpin up hold " + std::to_string(kMostHeldRepeats) +
                "\nexpect anchor 0 0 " + std::to_string(kMostHeldRepeats) + " 0\n");
  EXPECT_EQ(longest.code, 0) << longest.output;
  // Refused at once, naming the limit, and nothing moved.
  const Outcome endless =
      RunScript(start + "spin pointXSpin up hold 1000000000\nexpect anchor 0 0 0 0\n");
  EXPECT_EQ(endless.code, 1);
  EXPECT_NE(endless.output.find("test.tavrix:5: spin pointXSpin up hold 1000000000\n  an arrow is "
                                "held for 1 to 200 repeats, not 1000000000"),
            std::string::npos)
      << endless.output;
  EXPECT_EQ(RunScript(start + "spin pointXSpin up hold 201\n").code, 1);
  EXPECT_EQ(RunScript(start + "spin pointXSpin up hold 0\n").code, 1);
}

TEST(Session, SemicolonsSeparateAnchorsWithOrWithoutSpaces) {
  const Outcome outcome = RunScript(
      "document\n"
      "path closed 0 0;10 0 in 5 -5 corner; 10 10 ;0 10\n"
      "expect anchor 0 1 10 0\n"
      "expect in 0 1 5 -5\n"
      "expect out 0 1 10 0\n"
      "expect corner 0 1 1\n"
      "expect corner 0 2 0\n"
      "expect anchor 0 3 0 10\n");
  EXPECT_EQ(outcome.code, 0) << outcome.output;
}

TEST(Session, ValueComparesWithinHalfTheLastDecimalShown) {
  const std::string start = "document\npath 0 0 ; 10.0004 0\nmenu\nselect 0 1\n";
  EXPECT_EQ(RunScript(start + "expect item pointXField value 10.0004\n").code, 0);
  EXPECT_EQ(RunScript(start + "expect item pointXField value 10.0\n").code, 0);
  EXPECT_EQ(RunScript(start + "expect item pointXField value 10.002\n").code, 1);
  // Millimetres in a millimetre field.
  EXPECT_EQ(RunScript(start + "units mm\nexpect item pointXField value 3.528\n").code, 0);
}

TEST(Session, PrintShowsThePaletteAsAPersonSeesIt) {
  const Outcome hidden = RunScript("document\nprint\n");
  EXPECT_NE(hidden.output.find("Palette \"Tavrix\": hidden"), std::string::npos);
  EXPECT_EQ(hidden.output.find("pointXField"), std::string::npos);  // nothing of it to see

  const Outcome shown = RunScript("document\npath 0 0 ; 5 0\nmenu\nselect 0 1\nprint\n");
  const std::string& out = shown.output;
  EXPECT_NE(out.find("visible, 402 x 164"), std::string::npos) << out;
  EXPECT_NE(out.find("pointSectionTriangle    v (open)"), std::string::npos) << out;
  EXPECT_NE(out.find("inOutSectionTriangle    > (closed)"), std::string::npos) << out;
  EXPECT_NE(out.find("pointXField             [5.000 pt]"), std::string::npos) << out;
  EXPECT_NE(out.find(" 5 * Relative"), std::string::npos) << out;
  EXPECT_NE(out.find(" 3   (In/Out mode)  (disabled)"), std::string::npos) << out;
  // Rows go top to bottom: the Point section's title before its fields.
  EXPECT_LT(out.find("pointSectionLabel"), out.find("pointXField"));
  EXPECT_EQ(out.find("item 9"), std::string::npos);  // a text of no size is not seen
}

TEST(Session, TheKeyboardIncrementIsKeptInThePreferenceFile) {
  const std::string prefs = (test::TempFolder() / "session-prefs.json").string();
  std::filesystem::remove(prefs);
  EXPECT_EQ(RunScript("document\nincrement 4\n", prefs).code, 0);
  const Outcome next = RunScript(
      "document\npath 0 0 ; 1 0\nmenu\nselect 0 0\nexpect item pointXSpin step 4\n", prefs);
  EXPECT_EQ(next.code, 0) << next.output;
}

TEST(Session, NumbersTheHostCannotHoldAreRefusedByLineAndWord) {
  const Outcome far = RunScript("document\npath 0 0 ; 1e39 200\n");
  EXPECT_EQ(far.code, 1);
  EXPECT_NE(far.output.find("test.tavrix:2:"), std::string::npos) << far.output;
  EXPECT_NE(far.output.find("'1e39' is beyond what a coordinate can hold"), std::string::npos);
  for (const char* step : {"1e39", "0", "-5", "-0", "1e-300"})
    EXPECT_EQ(RunScript(std::string("document\nincrement ") + step + "\n").code, 1) << step;
  // Every number of an expectation is range-checked, as in select.
  const Outcome negative = RunScript("document\npath 0 0\nexpect anchor -1 0 0 0\n");
  EXPECT_EQ(negative.code, 1);
  EXPECT_NE(negative.output.find("count from 0"), std::string::npos) << negative.output;
}

TEST(Session, MeasuresNearTheFloatLimitReachThePaletteFinite) {
  const Outcome huge = RunScript(
      "document\npath 3e38 0 ; -3e38 0 ; 0 3e38\nmenu\nclick pathSectionTriangle\nselect 0 0\n"
      "print\n");
  EXPECT_EQ(huge.code, 0) << huge.output;
  EXPECT_EQ(huge.output.find("inf"), std::string::npos) << huge.output;
  EXPECT_EQ(huge.output.find("nan"), std::string::npos) << huge.output;
}

TEST(Session, AKeyboardIncrementTheFloatsCannotStepByIsNeverUsed) {
  const std::string prefs = (test::TempFolder() / "bad-increment.json").string();
  for (const char* stored : {"-5", "0", "-0.0", "1e-300", "1e39"}) {
    {
      std::ofstream file(prefs, std::ios::trunc);
      file << R"({"tavrix-preferences": 1, "values": {"cursorKeyLength": {"real": )" << stored
           << "}}}\n";
    }
    const Outcome run = RunScript(
        "document\npath 0 0 ; 1 0\nmenu\nselect 0 0\nexpect item pointXSpin step 1\n"
        "spin pointXSpin up\nexpect anchor 0 0 1 0\n",
        prefs);
    EXPECT_EQ(run.code, 0) << stored << "\n" << run.output;
  }
  std::filesystem::remove(prefs);
}

TEST(Session, AScriptThatCannotBeReadToItsEndFails) {
  std::ostringstream out;
  Session session({test::PluginPath(), ""}, out);
  std::ifstream folder(std::filesystem::temp_directory_path());
  EXPECT_EQ(session.Run(folder, "a folder"), 1);
  EXPECT_NE(out.str().find("cannot be read"), std::string::npos) << out.str();
}

}  // namespace
}  // namespace tavrix::app
