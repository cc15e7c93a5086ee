#include "session/Session.h"

#include <algorithm>
#include <set>
#include <sstream>

#include "host/Pipl.h"
#include "host/artwork/PreferenceFile.h"
#include "hostapi/ADMTypes.h"
#include "session/PaletteItemNames.h"
#include "session/PaletteJson.h"
#include "session/ScriptWords.h"
#include "session/SvgDrawing.h"

namespace tavrix::app {
Session::Session(const SessionOptions& options, std::ostream& out)
    : out_(out),
      errors_(options.errors != nullptr ? *options.errors : out),
      pluginPath_(options.pluginPath),
      preferencesPath_(options.preferencesPath),
      beforeStart_(options.beforeStart) {
  host::PreferenceStore preferences;
  if (!preferencesPath_.empty()) {
    const host::PreferenceFileLoad load = host::LoadPreferenceFile(preferencesPath_, preferences);
    if (!load.warning.empty()) errors_ << load.warning << "\n";
  }
  StartHost(preferences);
}

Session::~Session() {
  if (!finished_) Finish();
}

int Session::Run(std::istream& script, const std::string& scriptName) {
  std::string line;
  int number = 0;
  int commands = 0;
  while (std::getline(script, line)) {
    ++number;
    if (number == 1) line = WithoutByteOrderMark(line);
    try {
      const std::vector<std::string> words = SplitScriptLine(line);
      if (words.empty()) continue;
      Execute(words);
      ++commands;
    } catch (const std::exception& error) {
      out_ << scriptName << ":" << number << ": " << Excerpt(line) << "\n  "
           << Excerpt(error.what(), 1000) << "\n";
      return 1;
    }
  }
  // A script that could not be read to its end (a folder, a failing disk) has not passed.
  if (script.bad() || !script.eof()) {
    out_ << scriptName << ": cannot be read past line " << number << "\n";
    return 1;
  }
  out_ << scriptName << ": " << commands << " commands, every expectation held\n";
  return 0;
}

void Session::Execute(const std::vector<std::string>& words) {
  const std::string& command = words[0];
  const std::vector<Command>& commands = Commands();
  const auto found = std::find_if(commands.begin(), commands.end(),
                                  [&](const Command& c) { return command == c.name; });
  if (found == commands.end()) throw ScriptError("unknown command '" + command + "'");
  found->run(*this, words);
  // Whatever the command changed is told to the plug-in before the next line runs, and what it
  // left to be redrawn is redrawn, once.
  host_->DeliverNotifications();
  if (command != "redraw") host_->RedrawView();
}

void Session::ShowPalette(std::ostream& out) {
  host::HostDialog* palette = FindPalette();
  if (palette == nullptr) {
    out << "(the palette is not open: 'menu' opens it)\n";
  } else {
    PrintPalette(*palette, out);
  }
}

host::HostDialog* Session::FindPalette() {
  // The palette is the plug-in's floating dialog, as a person knows it: found by its owner and
  // kind rather than by a name the plug-in chose for itself.
  for (host::HostDialog* dialog : host_->dialogs().OpenDialogs()) {
    if (plugin_ != nullptr && dialog->plugin == plugin_->ref() &&
        (dialog->style == kADMFloatingDialogStyle ||
         dialog->style == kADMTabbedFloatingDialogStyle)) {
      return dialog;
    }
  }
  return nullptr;
}

std::string Session::DrawingFileName() const {
  return drawing_ ? drawing_->fileName() : std::string();
}

host::HostDialog& Session::Palette() {
  host::HostDialog* palette = FindPalette();
  if (palette == nullptr) throw ScriptError("the palette does not exist");
  return *palette;
}

host::HostItem& Session::Item(const std::string& word) {
  const std::optional<int> id = PaletteItemId(word);
  if (!id) throw ScriptError("no palette item is named '" + word + "'");
  host::HostItem* item = host_->dialogs().ItemWithId(Palette(), *id);
  if (item == nullptr) throw ScriptError("the palette has no item " + std::to_string(*id));
  return *item;
}

host::Document& Session::Doc() {
  if (host_->document() == nullptr)
    throw ScriptError("there is no document: start with 'document'");
  return *host_->document();
}

const host::MenuItemRecord& Session::PaletteMenuItem() {
  for (const host::MenuItemRecord& item : host_->registrations().menuItems()) {
    if (item.plugin == plugin_->ref()) return item;
  }
  throw ScriptError("the plug-in has no menu item");
}

void Session::ChooseMenuItem() {
  const ASErr result = plugin_->ChooseMenuItem(PaletteMenuItem().handle);
  if (result != kNoErr)
    out_ << "(the menu command answered '" << host::FourCharText(static_cast<uint32_t>(result))
         << "')\n";
}

void Session::Window(const std::vector<std::string>& words) {
  host::HostDialog& palette = Palette();
  if (words.size() == 3 && words[0] == "move") {
    user_->MoveWindow(palette, IntegerWord(words[1], "a horizontal position"),
                      IntegerWord(words[2], "a vertical position"));
    return;
  }
  if (words.size() == 3 && words[0] == "dock") {
    user_->DockWindow(palette, words[1], IntegerWord(words[2], "a docking code"));
    return;
  }
  if (words.size() != 1) throw Usage("window");
  if (words[0] == "show") {
    user_->ShowWindow(palette);
  } else if (words[0] == "hide") {
    user_->HideWindow(palette);
  } else if (words[0] == "collapse") {
    user_->CollapseWindow(palette);
  } else if (words[0] == "expand") {
    user_->ExpandWindow(palette);
  } else {
    throw Usage("window");
  }
}

void Session::Type(const std::vector<std::string>& words) {
  if (words.size() != 2) throw Usage("type");
  host::HostItem& item = Item(words[0]);
  if (!user_->TypeText(item, words[1])) {
    out_ << "(" << PaletteItemName(item.id) << " did not take " << Quoted(words[1]) << ")\n";
  }
}

void Session::Click(const std::vector<std::string>& words) {
  if (words.size() != 1) throw Usage("click");
  user_->Click(Item(words[0]));
}

void Session::CommandClick(const std::vector<std::string>& words) {
  if (words.size() != 1) throw Usage("cmd-click");
  user_->CommandClick(Item(words[0]));
}

void Session::Spin(const std::vector<std::string>& words) {
  if (words.size() < 2) throw Usage("spin");
  host::HostItem& spin = Item(words[0]);
  if (words[1] != "up" && words[1] != "down") throw Usage("spin");
  std::set<int32_t> keys;
  int repeats = 0;
  for (size_t i = 2; i < words.size(); ++i) {
    if (words[i] == "shift") {
      keys.insert(host::kShiftKey);
    } else if (words[i] == "ctrl") {
      keys.insert(host::kControlKey);
    } else if (words[i] == "hold" && i + 1 < words.size()) {
      repeats = IntegerWord(words[++i], "a number of repeats");
      if (repeats < 1 || repeats > kMostHeldRepeats) {
        throw ScriptError("an arrow is held for 1 to " + std::to_string(kMostHeldRepeats) +
                          " repeats, not " + words[i]);
      }
    } else {
      throw Usage("spin");
    }
  }
  const host::HeldKeys held(host_->keyboard(), keys);
  user_->ClickSpin(spin, words[1] == "up" ? host::SpinArrow::Up : host::SpinArrow::Down, repeats);
}

void Session::FailOnDemand(const std::vector<std::string>& words) {
  if (words.empty() || words.size() > 2) throw Usage("fail");
  const int skip = words.size() == 2 ? IntegerWord(words[1], "a number of calls to let pass") : 0;
  if (skip < 0) throw ScriptError("a number of calls to let pass is 0 or more");
  if (host_->faults().operations().count(words[0]) == 0) {
    throw ScriptError("no host operation is named '" + words[0] +
                      "' (operations are named as the host names them: AIPath.GetPathClosed)");
  }
  host_->faults().FailOnce(words[0], kBadParameterErr, skip);
}

void Session::UndoOrRedo(const std::vector<std::string>& words) {
  const std::string& command = words[0];
  if (words.size() != 1) throw Usage(command);
  const bool undo = command == "undo";
  if (!(undo ? host_->Undo() : host_->Redo())) {
    throw ScriptError(std::string("there is nothing to ") + command + ": Edit > " +
                      (undo ? "Undo" : "Redo") + " is disabled");
  }
}

void Session::Flyout(const std::vector<std::string>& words) {
  if (words.size() != 1) throw Usage("flyout");
  user_->ChooseFlyoutEntry(Palette(), IntegerWord(words[0], "a flyout entry number"));
}

}  // namespace tavrix::app
