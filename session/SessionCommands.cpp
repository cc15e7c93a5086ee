// The session language as one table: each command's name, how it is written, what it does, and
// the handler it runs. `help`, the messages for a line written wrong and the dispatch all read it.
#include <algorithm>
#include <sstream>

#include "session/PaletteJson.h"
#include "session/Session.h"

namespace tavrix::app {
namespace {

using Words = std::vector<std::string>;

Words After(const Words& words) {
  return Words(words.begin() + 1, words.end());
}

// Where `help` starts a command's meaning: past the usages of most commands.
constexpr size_t kMeaningColumn = 43;

}  // namespace

const std::vector<Session::Command>& Session::Commands() {
  static const std::vector<Command> commands = {
      {"open", "open FILE.svg", "its paths become the document's paths",
       [](Session& s, const Words& w) { s.OpenDrawing(After(w)); }},
      {"save", "save [FILE.svg]", "to its own file, or to FILE.svg",
       [](Session& s, const Words& w) { s.SaveDrawing(After(w)); }},
      {"document", "document [pt|in|mm|cm|pc|px|Q]", "a new empty document",
       [](Session& s, const Words& w) { s.NewDocument(After(w)); }},
      {"path", "path [closed] X Y [in X Y] [out X Y] [corner] ; ...", "add a path",
       [](Session& s, const Words& w) { s.AddPath(After(w)); }},
      {"select", "select P I", "select anchor I of path P",
       [](Session& s, const Words& w) { s.Select(w); }},
      {"select-handle", "select-handle P I [in|out]", "the anchor, or one of its handles",
       [](Session& s, const Words& w) { s.Select(w); }},
      {"select-paths", "select-paths P...", "select whole paths",
       [](Session& s, const Words& w) { s.Select(w); }},
      {"deselect", "deselect", "select nothing", [](Session& s, const Words& w) { s.Select(w); }},
      {"drag", "drag anchor P I H V | drag handle P I in|out H V",
       "Direct Selection: it ends at (H, V)",
       [](Session& s, const Words& w) { s.DirectSelect(w); }},
      {"nudge", "nudge left|right|up|down [shift]", "the arrow keys: the increment (Shift: ten)",
       [](Session& s, const Words& w) { s.DirectSelect(w); }},
      {"units", "units pt|in|mm|cm|pc|px|Q", "the document's ruler units",
       [](Session& s, const Words& w) { s.SetUnits(After(w)); }},
      {"increment", "increment POINTS", "the keyboard increment",
       [](Session& s, const Words& w) { s.SetIncrement(After(w)); }},
      {"delete", "delete P", "delete path P (another hand)",
       [](Session& s, const Words& w) { s.ChangeArtwork(w); }},
      {"delete-anchor", "delete-anchor P I", "delete an anchor (another hand)",
       [](Session& s, const Words& w) { s.ChangeArtwork(w); }},
      {"insert-anchor", "insert-anchor P I X Y [in X Y] [out X Y] [corner]",
       "insert an anchor (another hand)", [](Session& s, const Words& w) { s.ChangeArtwork(w); }},
      {"close-document", "close-document", "close the document",
       [](Session& s, const Words& w) { s.ChangeArtwork(w); }},
      {"menu", "menu", "Window > Tool Palettes > Tavrix",
       [](Session& s, const Words& w) {
         if (w.size() != 1) throw Usage(w[0]);
         s.ChooseMenuItem();
       }},
      {"window", "window show|hide|collapse|expand | window move H V | window dock \"GROUP\" CODE",
       "the palette's window", [](Session& s, const Words& w) { s.Window(After(w)); }},
      {"type", "type ITEM TEXT", "type into a field, as a person does",
       [](Session& s, const Words& w) { s.Type(After(w)); }},
      {"click", "click ITEM", "click a button or a check box",
       [](Session& s, const Words& w) { s.Click(After(w)); }},
      {"cmd-click", "cmd-click ITEM", "click it with the Command key held",
       [](Session& s, const Words& w) { s.CommandClick(After(w)); }},
      {"flyout", "flyout N", "entry N of the palette's flyout menu",
       [](Session& s, const Words& w) { s.Flyout(After(w)); }},
      {"spin", "spin ITEM up|down [shift] [ctrl] [hold N]", "an arrow; held for N repeats (1-200)",
       [](Session& s, const Words& w) { s.Spin(After(w)); }},
      {"undo", "undo", "Edit > Undo", [](Session& s, const Words& w) { s.UndoOrRedo(w); }},
      {"redo", "redo", "Edit > Redo", [](Session& s, const Words& w) { s.UndoOrRedo(w); }},
      {"restart", "restart", "quit and start again, as kept",
       [](Session& s, const Words& w) {
         if (w.size() != 1) throw Usage(w[0]);
         s.Restart();
       }},
      {"pref", "pref KEY boolean|integer|real|point|string VALUE...",
       "put in the store at the next restart",
       [](Session& s, const Words& w) { s.PutPreference(After(w)); }},
      {"fail", "fail OPERATION [SKIP]",
       "an operation's call after SKIP more "
       "answers 'PARM' once (AIPath.GetPathClosed)",
       [](Session& s, const Words& w) { s.FailOnDemand(After(w)); }},
      {"zoom", "zoom FACTOR", "the document window's zoom",
       [](Session& s, const Words& w) { s.Zoom(After(w)); }},
      {"scroll", "scroll LEFT TOP", "the artwork point at the top left",
       [](Session& s, const Words& w) { s.Scroll(After(w)); }},
      {"redraw", "redraw", "draw the document window again",
       [](Session& s, const Words& w) { s.Redraw(After(w)); }},
      {"print", "print [json]", "the palette as a person sees it",
       [](Session& s, const Words& w) { s.PrintPaletteAs(After(w)); }},
      {"render", "render FILE.png [palette|artwork|both] [flyout] [scale 1-4]",
       "a picture of what a person sees", [](Session& s, const Words& w) { s.Render(After(w)); }},
      {"expect", "expect ...", "see the README for each expectation",
       [](Session& s, const Words& w) { s.Expect(After(w)); }},
      {"help", "help", "this list",
       [](Session& s, const Words& w) {
         if (w.size() != 1) throw Usage(w[0]);
         s.out_ << HelpText();
       }},
  };
  return commands;
}

std::string Session::HelpText() {
  std::ostringstream text;
  text << "Paths and anchors count from 0; artwork points have v growing upwards. ITEM is a\n"
          "palette item's name (pointXField) or its id; 'print' shows the names.\n";
  auto line = [&](const std::string& usage, const std::string& meaning) {
    text << "  " << usage;
    if (usage.size() + 2 < kMeaningColumn) {
      text << std::string(kMeaningColumn - usage.size() - 2, ' ');
    } else {
      text << "\n" << std::string(kMeaningColumn, ' ');
    }
    text << meaning << "\n";
  };
  for (const Command& command : Commands()) line(command.usage, command.meaning);
  line("quit", "leave (quit! drops unsaved changes)");
  return text.str();
}

ScriptError Session::Usage(const std::string& command) {
  const std::vector<Command>& commands = Commands();
  const auto found = std::find_if(commands.begin(), commands.end(),
                                  [&](const Command& c) { return command == c.name; });
  return ScriptError(found == commands.end() ? "unknown command '" + command + "'"
                                             : std::string("usage: ") + found->usage);
}

void Session::PrintPaletteAs(const std::vector<std::string>& words) {
  if (words.size() > 1 || (words.size() == 1 && words[0] != "json")) throw Usage("print");
  if (words.empty()) {
    PrintPalette(Palette(), out_);
  } else {
    PrintPaletteJson(Palette(), host_->document(), out_);
  }
}

}  // namespace tavrix::app
