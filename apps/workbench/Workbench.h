// The desktop workbench: one window with the host's menus, the document window and the
// palette, on SDL2 with Dear ImGui for the menus and dialogs. Everything a person does becomes a
// command of the session language, run by the same Session as `tavrix-host run`.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <istream>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "pictures/DrawingPicture.h"
#include "pictures/LayeredPicture.h"
#include "session/Session.h"
#include "workbench/CanvasController.h"
#include "workbench/Commands.h"
#include "workbench/FileBrowser.h"
#include "workbench/PaletteController.h"
#include "workbench/SdlHandles.h"

namespace tavrix::workbench {

class SceneTextures;

// Whatever stops the window from opening, said so that a person can act on it.
class WorkbenchError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct WorkbenchOptions {
  std::string pluginPath;       // empty: the plug-in built beside the command
  std::string preferencesPath;  // empty: no preference file
  std::string documentPath;     // an SVG drawing to open first; empty: a new document
  // No preferences were kept yet: the palette opens beside the drawing, at the right.
  bool firstStart = false;
};

class Workbench final : private Commands {
 public:
  // Starts the plug-in, opens the drawing and the window. What the session prints (and every
  // message of the status line) also goes to `log`. Throws WorkbenchError, or the session's
  // error when the plug-in or the drawing cannot be loaded.
  Workbench(const WorkbenchOptions& options, std::ostream& log);
  ~Workbench() override;
  Workbench(const Workbench&) = delete;
  Workbench& operator=(const Workbench&) = delete;

  // Takes every pending event and draws the window once; false once the person has quit.
  bool Frame();
  // Frames until the person quits, sleeping while nothing happens.
  void Run();
  // Plays a session script into the window; answers 0, or 1 after a line failed (the status
  // line says which and why).
  int Play(std::istream& script, const std::string& name);
  // Draws the window and writes it as PNG. Throws pictures::PictureError naming the file.
  void Screenshot(const std::string& path);
  // Quits the application as `tavrix-host` does, writing the preferences; false when they
  // could not be kept. Once only.
  bool Finish();

  app::Session& session() { return *session_; }
  SDL_Window* window() const { return window_.get(); }
  // Whether the person has quit, and whether the window asks what to do with unsaved changes.
  bool quitting() const { return quit_; }
  bool askingAboutUnsavedChanges() const { return unsaved_.open; }
  const std::string& status() const { return status_; }
  bool statusIsError() const { return statusIsError_; }
  // Where a palette item is shown in the window; nothing while it cannot be seen.
  std::optional<SDL_Rect> ItemOnScreen(int32_t id);
  // The menu bar's menu that is open now ("File", "Edit", ...), or empty; and where a menu's
  // header is in the window.
  const std::string& openMenu() const { return openMenu_; }
  std::optional<SDL_Rect> MenuHeader(const std::string& name) const {
    const auto found = menuHeaders_.find(name);
    return found == menuHeaders_.end() ? std::nullopt : std::optional<SDL_Rect>(found->second);
  }
  // The window pixel of an anchor; nothing while it lies outside the document window.
  std::optional<SDL_Point> AnchorOnScreen(size_t path, size_t anchor);

 private:
  bool Perform(const std::vector<std::string>& words) override;
  void Tell(const std::string& text) override;
  // Also written to the log unless it came from there.
  void SetStatus(const std::string& text, bool error, bool log = true);
  // What the session printed since the last time, to the log and the status line; false when
  // it printed nothing.
  bool TakeSessionOutput();

  // WorkbenchInput.cpp: events to the menus, the palette or the document window.
  void HandleEvent(const SDL_Event& event);
  void HandleWindowEvent(const SDL_WindowEvent& event);
  void HandleKeyEvent(const SDL_KeyboardEvent& event);
  void HandleKey(const SDL_Keysym& key);
  // An arrow key the palette did not take moves the selected anchors.
  void Nudge(Key key, Modifiers modifiers);
  bool ImGuiTakesMouse(int x, int y) const;
  bool ImGuiTakesKeyboard() const;

  // WorkbenchMenus.cpp: the menu bar, the file dialog and the status line, built every frame.
  void BuildMenus();
  void BuildMenuBar();
  void BuildFileMenu(bool hasDocument);
  void BuildEditMenu();
  void BuildViewMenu(bool hasDocument);
  void BuildWindowMenu();
  // A menu of the menu bar; true while it is open (EndMenu then closes it).
  bool BeginMenu(const char* name);
  void BuildFileDialog();
  // The file dialog's parts: the folder's list, the recent files, the name and the buttons.
  // Each answers whether the person chose a file.
  bool BuildFolderList();
  bool BuildRecentFiles();
  bool BuildFileButtons(bool& cancelled);
  void ChooseFile();
  // The drawing's file goes to the front of the recent files, kept with the preferences.
  void RememberFile();
  void BuildStatusLine();
  void NewDocument();
  bool OpenDrawing(const std::string& path);
  // Saves into the drawing's file, or asks for one; true once saved.
  bool Save();
  bool SaveAs(const std::string& path);
  void UndoOrRedo(bool undo);
  void AskForFile(bool save);

  // UnsavedChanges.cpp: quitting, a new drawing or opening one, once what was typed is
  // committed, and after asking whether to save the changes that would be lost.
  enum class Leaving { Quit, NewDocument, Open };
  void Leave(Leaving action);
  void Go(Leaving action);
  void BuildUnsavedChangesDialog();
  // A key while the dialog asks: Enter saves, Ctrl+D does not, Escape cancels.
  void UnsavedChangesKey(const SDL_Keysym& key);

  void Draw(const std::string* screenshotPath);
  // The window's size kept from the last run, given to the view before anything is drawn; false
  // when none was kept.
  bool RestoreWindowSize();
  // A kept size larger than this screen (kept on a larger one) is made to fit it.
  void KeepWindowOnScreen();
  // The window was resized to width x height pixels: the document window takes the room.
  void Resized(int width, int height);
  // Opens the palette in the room right of the document window, out of the drawing's way.
  void PutPaletteBeside();
  // The drawing as it looks now, read again only when its text changed; null when it cannot be
  // drawn so. During a drag only the dragged element is read and drawn again, where the drawing
  // can be split around it.
  const pictures::LooksPicture* DrawingLooks();
  const pictures::LooksPicture* DraggedDrawingLooks(size_t path);
  void UpdateTitle();

  std::ostream& log_;
  std::ostringstream sessionOutput_;
  std::unique_ptr<app::Session> session_;
  std::unique_ptr<PaletteController> palette_;
  std::unique_ptr<CanvasController> canvas_;
  // Given back in the reverse order: the images, Dear ImGui, the renderer, the window, SDL.
  std::unique_ptr<SdlVideo> video_;
  WindowHandle window_;
  RendererHandle renderer_;
  std::unique_ptr<ImGuiSession> imgui_;
  std::unique_ptr<SceneTextures> textures_;
  pictures::DrawingPictureCache drawings_;
  pictures::LayeredPictureCache dragged_;
  std::string drawingError_;

  std::string status_;
  bool statusIsError_ = false;
  bool quit_ = false;
  bool finished_ = false;
  bool dirty_ = true;
  std::string title_;
  Modifiers modifiers_;
  int mouseX_ = 0;
  int mouseY_ = 0;
  enum class Capture { None, Palette, Canvas };
  Capture capture_ = Capture::None;
  // What the menus had open at the end of the last frame: the next events are theirs.
  bool menuOpen_ = false;
  bool closeMenus_ = false;  // Escape was pressed while a menu was open
  std::string openMenu_;
  std::map<std::string, SDL_Rect> menuHeaders_;
  bool textInputWanted_ = false;

  struct FileDialog {
    bool requested = false;
    bool open = false;
    bool focusPath = false;
    FileBrowser browser;
  };
  FileDialog fileDialog_;

  struct UnsavedChangesDialog {
    enum class Choice { None, Save, DontSave, Cancel };
    bool requested = false;
    bool open = false;
    Leaving action = Leaving::Quit;
    Choice choice = Choice::None;  // made with a key, carried out when the dialog is built
  };
  UnsavedChangesDialog unsaved_;
};

}  // namespace tavrix::workbench
