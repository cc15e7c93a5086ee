// A session of the stand-in host with the Tavrix plug-in, driven by a script of one action per
// line, so that any session can be replayed and tests read like what a user does.
#pragma once

#include <functional>
#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "host/Host.h"
#include "host/dialog/DialogUser.h"
#include "host/svg/SvgPaint.h"
#include "session/SavedArtwork.h"
#include "session/ScriptWords.h"

namespace tavrix::pictures {
class DrawingPicture;
}

namespace tavrix::app {

class SvgDrawing;

// The most repeats one held arrow makes (ten seconds of holding in the workbench, which stops
// there too): a person lets go long before, and one script line must not run for an hour.
inline constexpr int kMostHeldRepeats = 200;

struct SessionOptions {
  SessionOptions(std::string plugin, std::string preferences = "",
                 std::ostream* errorStream = nullptr,
                 std::function<void(host::Host&)> armBeforeStart = {})
      : pluginPath(std::move(plugin)),
        preferencesPath(std::move(preferences)),
        errors(errorStream),
        beforeStart(std::move(armBeforeStart)) {}

  std::string pluginPath;
  std::string preferencesPath;     // empty: start fresh, keep nothing
  std::ostream* errors = nullptr;  // warnings and failures; null: the session's output
  // Runs once the plug-in file is loaded and before it is started: a validator arms its faults.
  std::function<void(host::Host&)> beforeStart;
};

class Session {
 public:
  // Loads and starts the plug-in as the application does at launch, with the preferences of the
  // file when one is given (a file that cannot be read gives the defaults and one warning).
  // Throws on failure.
  Session(const SessionOptions& options, std::ostream& out);
  // Quits the host as the application does and keeps the preferences in the file, if any.
  // Answers false, after telling why, when the file could not be written. Once only.
  bool Finish();
  // Finishes if that has not been done.
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Runs the script to its end or to the first line that fails; answers 0 or 1. A failure is
  // reported with the script's name, the line number, the line and what was found.
  int Run(std::istream& script, const std::string& scriptName);
  // One command; throws ScriptError with the reason when it fails.
  void Execute(const std::vector<std::string>& words);
  host::Host& host() { return *host_; }
  // The palette as a person sees it, or how to open it when it is not there.
  void ShowPalette(std::ostream& out);
  // The palette's dialog; null until its menu item first opened it.
  host::HostDialog* FindPalette();
  // The SVG file the document was opened from or last saved to; empty when it has none.
  std::string DrawingFileName() const;
  // The drawing's SVG text as it is now, the very text `save` would write: what the pictures
  // and the workbench draw. Throws ScriptError when there is no document or its paths cannot be
  // written.
  std::string DrawingText();
  // The drawing's text split around the element of the document's path `path`: what lies under
  // it, the element alone, what lies over it; laid over one another they draw as DrawingText
  // does. Nothing when it cannot be split there exactly. Throws as DrawingText does.
  struct DrawingLayers {
    std::string under, element, over;
  };
  std::optional<DrawingLayers> DrawingLayersAround(size_t path);
  // How each of the document's paths paints (filled, stroked), in the document's order, for a
  // click on the drawing; empty without a document.
  std::vector<svg::SvgPaint> PathPaints();
  // Whether the document's paths differ from what was last opened, made or saved: work that
  // closing now would lose. The selection is not part of the work.
  bool HasUnsavedChanges() const { return host_ && saved_.Differs(host_->document()); }
  // Whether a save was asked for and did not happen, at any time in this session.
  bool SaveHasFailed() const { return saveFailed_; }
  // Writes the document as it is now to `fileName` without making it the drawing's file, nor
  // counting its changes as saved: a copy kept when the session must end suddenly. Throws
  // ScriptError naming the file and the reason.
  void SaveCopy(const std::string& fileName);

  // One command of the session language: its name, how it is written (for `help` and for the
  // message when it is written wrong), what it does, and what does it with the whole line.
  struct Command {
    const char* name;
    const char* usage;
    const char* meaning;
    void (*run)(Session& session, const std::vector<std::string>& words);
  };
  // Every command, in the order `help` lists them.
  static const std::vector<Command>& Commands();
  // The session language in brief, made from the commands, for `help`.
  static std::string HelpText();

 private:
  // "usage: " and how the command is written, to throw when a line misuses it.
  static ScriptError Usage(const std::string& command);
  void PrintPaletteAs(const std::vector<std::string>& words);

  // Actions on the artwork and the host.
  void NewDocument(const std::vector<std::string>& words);
  // SVG drawings: open FILE.svg, save [FILE.svg].
  void OpenDrawing(const std::vector<std::string>& words);
  void SaveDrawing(const std::vector<std::string>& words);
  void AddPath(const std::vector<std::string>& words);
  void Select(const std::vector<std::string>& words);
  // delete, delete-anchor, insert-anchor, close-document: what another hand does to the artwork.
  void ChangeArtwork(const std::vector<std::string>& words);
  // The host's Direct Selection tool: drag anchor|handle ..., nudge DIRECTION [shift].
  void DirectSelect(const std::vector<std::string>& words);
  void Drag(const std::vector<std::string>& words);
  void Nudge(const std::vector<std::string>& words);
  void SetUnits(const std::vector<std::string>& words);
  void SetIncrement(const std::vector<std::string>& words);
  void ChooseMenuItem();
  // The application's lifecycle and its preferences.
  void StartHost(const host::PreferenceStore& preferences);
  void Restart();
  void PutPreference(const std::vector<std::string>& words);
  // The document window.
  void Zoom(const std::vector<std::string>& words);
  void Scroll(const std::vector<std::string>& words);
  void Redraw(const std::vector<std::string>& words);
  // Pictures of the palette and the artwork, as PNG.
  void Render(const std::vector<std::string>& words);
  // The drawing as it looks, for a picture; null, with `note` saying why, when it cannot be
  // drawn so (and the paths are drawn as outlines).
  std::unique_ptr<pictures::DrawingPicture> DrawingLooks(std::string& note);
  // A person at the palette.
  void Window(const std::vector<std::string>& words);
  void Type(const std::vector<std::string>& words);
  void Click(const std::vector<std::string>& words);
  void Flyout(const std::vector<std::string>& words);
  void CommandClick(const std::vector<std::string>& words);
  void Spin(const std::vector<std::string>& words);
  // fail OPERATION [SKIP]: one call of a host operation answers 'PARM'.
  void FailOnDemand(const std::vector<std::string>& words);
  // The Edit menu.
  void UndoOrRedo(const std::vector<std::string>& words);
  // Expectations.
  void Expect(const std::vector<std::string>& words);
  void ExpectItem(const std::vector<std::string>& words);
  void ExpectFlyout(const std::vector<std::string>& words);
  void ExpectPalette(const std::vector<std::string>& words);
  void ExpectMenu(const std::vector<std::string>& words);
  void ExpectPoint(const std::vector<std::string>& words);
  void ExpectRegistrations(const std::vector<std::string>& words);
  void ExpectAlerts(const std::vector<std::string>& words);
  void ExpectEditMenu(const std::vector<std::string>& words);
  void ExpectPreference(const std::vector<std::string>& words);
  void ExpectMarks(const std::vector<std::string>& words);

  host::HostDialog& Palette();
  host::HostItem& Item(const std::string& word);
  host::Document& Doc();
  const host::MenuItemRecord& PaletteMenuItem();

  std::ostream& out_;
  std::ostream& errors_;
  std::string pluginPath_;
  std::string preferencesPath_;
  // Put into the store at the next restart, after the quitting plug-in wrote its own.
  host::PreferenceStore pendingPreferences_;
  std::function<void(host::Host&)> beforeStart_;
  bool finished_ = false;
  std::unique_ptr<host::Host> host_;
  host::HostedPlugin* plugin_ = nullptr;
  std::unique_ptr<host::DialogUser> user_;
  // The SVG file the document came from; null for a document made in the session.
  std::unique_ptr<SvgDrawing> drawing_;
  SavedArtwork saved_;
  bool saveFailed_ = false;
};

// What a person sees of the palette: each visible item in reading order with its text and
// state, and the flyout menu's entries.
void PrintPalette(const host::HostDialog& palette, std::ostream& out);

}  // namespace tavrix::app
