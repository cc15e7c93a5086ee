#include "workbench/Workbench.h"

#include <imgui.h>
#include <imgui_impl_sdl.h>
#include <imgui_impl_sdlrenderer.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <vector>

#include "pictures/DrawingTools.h"
#include "session/PluginLocation.h"
#include "session/ScriptWords.h"
#include "workbench/SceneTextures.h"
#include "workbench/Screenshot.h"
#include "workbench/StatusWords.h"

namespace tavrix::workbench {
namespace {

constexpr char kTitle[] = "Tavrix Workbench";
// Frames drawn after the last event, so that the menus settle, before the window sleeps.
constexpr int kSettlingFrames = 3;

// The lines that have something on them, without their indentation.
std::vector<std::string> NonEmptyLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    const size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos) continue;
    const size_t last = line.find_last_not_of(" \t\r");
    lines.push_back(line.substr(first, last + 1 - first));
  }
  return lines;
}

}  // namespace

Workbench::Workbench(const WorkbenchOptions& options, std::ostream& log) : log_(log) {
  const std::string plugin =
      options.pluginPath.empty() ? app::DefaultPluginPath() : options.pluginPath;
  session_ = std::make_unique<app::Session>(
      app::SessionOptions(plugin, options.preferencesPath, &sessionOutput_), sessionOutput_);
  const bool restored = RestoreWindowSize();
  Commands& commands = *this;
  palette_ = std::make_unique<PaletteController>(*session_, commands);
  canvas_ = std::make_unique<CanvasController>(*session_, commands);
  // A drawing that cannot be read stops the start, before a window flashes up.
  if (options.documentPath.empty()) {
    session_->Execute({"document", "pt"});
  } else {
    session_->Execute({"open", options.documentPath});
    canvas_->FitArtwork();
  }
  TakeSessionOutput();
  if (options.firstStart) PutPaletteBeside();
  if (const std::optional<std::string> recent =
          session_->host().preferences().String(kRecentFilesPreference))
    fileDialog_.browser.SetRecentText(*recent);
  RememberFile();
  const host::HostDialog* palette = session_->FindPalette();
  if (status_.empty() && (palette == nullptr || !palette->visible))
    SetStatus("Window > Tool Palettes > Tavrix opens the palette", false, false);

  video_ = std::make_unique<SdlVideo>();
  if (restored) KeepWindowOnScreen();
  const WindowSize window = WindowAround(session_->host().view());
  window_ = OpenWindow(kTitle, window, kSmallestWindow, kLargestWindow);
  renderer_ = SoftwareRenderer(window_.get());
  imgui_ = std::make_unique<ImGuiSession>(window_.get(), renderer_.get(), kMenuBarHeight);
  textures_ = std::make_unique<SceneTextures>(renderer_.get());
  UpdateTitle();
}

Workbench::~Workbench() {
  Finish();
}

bool Workbench::Finish() {
  if (finished_) return true;
  finished_ = true;
  const WindowSize window = WindowAround(session_->host().view());
  session_->host().preferences().SetPoint(kWindowSizePreference,
                                          host::PreferencePoint{window.width, window.height});
  const bool kept = session_->Finish();
  TakeSessionOutput();
  return kept;
}

bool Workbench::Perform(const std::vector<std::string>& words) {
  dirty_ = true;
  try {
    session_->Execute(words);
  } catch (const std::exception& error) {
    TakeSessionOutput();
    SetStatus(error.what(), true);
    return false;
  }
  const std::string printed = sessionOutput_.str();
  sessionOutput_.str("");
  log_ << printed;
  // What happened, in a person's words; never the command.
  const std::string said = StatusWords(words, *session_, printed);
  if (!said.empty()) SetStatus(said, false, false);
  return true;
}

void Workbench::Tell(const std::string& text) {
  SetStatus(text, false);
}

void Workbench::SetStatus(const std::string& text, bool error, bool log) {
  dirty_ = true;
  status_ = app::Excerpt(text, 300);
  statusIsError_ = error;
  if (log) log_ << (error ? "! " : "") << status_ << "\n";
}

bool Workbench::TakeSessionOutput() {
  const std::string text = sessionOutput_.str();
  if (text.empty()) return false;
  sessionOutput_.str("");
  log_ << text;
  const std::vector<std::string> lines = NonEmptyLines(text);
  if (lines.empty()) return false;
  SetStatus(lines.back(), false, false);
  return true;
}

int Workbench::Play(std::istream& script, const std::string& name) {
  palette_->DropFocus();
  dirty_ = true;
  const int result = session_->Run(script, name);
  const std::string text = sessionOutput_.str();
  sessionOutput_.str("");
  log_ << text;
  // The count of commands that ran, or the line that failed and why.
  const std::vector<std::string> lines = NonEmptyLines(text);
  if (result == 0) {
    SetStatus(lines.empty() ? name + " played" : lines.back(), false, false);
  } else if (lines.size() >= 2) {
    SetStatus(lines[lines.size() - 2] + ": " + lines.back(), true, false);
  } else {
    SetStatus(lines.empty() ? name + " failed" : lines.back(), true, false);
  }
  return result;
}

bool Workbench::Frame() {
  SDL_Event event;
  while (SDL_PollEvent(&event)) HandleEvent(event);
  Draw(nullptr);
  return !quit_;
}

void Workbench::Run() {
  int quietFrames = 0;
  while (!quit_) {
    if (quietFrames >= kSettlingFrames) {
      SDL_WaitEvent(nullptr);
      quietFrames = 0;
    }
    const bool waiting = SDL_PollEvent(nullptr) == 1;
    Frame();
    quietFrames = waiting ? 0 : quietFrames + 1;
  }
}

void Workbench::Screenshot(const std::string& path) {
  if (!NamesPng(path))
    throw pictures::PictureError("a screenshot is a PNG picture: name the file FILE.png, not " +
                                 app::Quoted(path));
  Draw(&path);
}

void Workbench::Draw(const std::string* screenshotPath) {
  palette_->Sync();
  ImGui_ImplSDLRenderer_NewFrame();
  ImGui_ImplSDL2_NewFrame();
  ImGui::NewFrame();
  BuildMenus();
  BuildFileDialog();
  BuildUnsavedChangesDialog();
  BuildStatusLine();
  menuOpen_ = ImGui::IsPopupOpen("", ImGuiPopupFlags_AnyPopupId);
  textInputWanted_ = ImGui::GetIO().WantTextInput;
  ImGui::Render();
  palette_->Sync();  // a menu command may have changed the palette
  UpdateTitle();

  if (dirty_) {
    dirty_ = false;
    pictures::Scene scene;
    scene.document = session_->host().document();
    scene.view = &session_->host().view();
    host::HostDialog* palette = session_->FindPalette();
    scene.palette = palette;
    // The palette follows the selection only while it can be seen, as the pictures show it.
    if (scene.document != nullptr && palette != nullptr && palette->visible && !palette->collapsed)
      scene.currentPoint = pictures::FindCurrentPoint(*scene.document);
    scene.drawing = DrawingLooks();
    FieldEdit edit;
    edit.field = palette_->FocusedField();
    edit.editor = &palette_->editor();
    // A picture that cannot be made must not end the window and the unsaved work with it.
    try {
      textures_->Update(scene, CanvasBox(*scene.view), palette_->Placement(), edit);
    } catch (const std::exception& error) {
      SetStatus(std::string("the window could not be drawn: ") + error.what(), true);
    }
  }
  const pictures::Colour desktop = pictures::kDesktop;
  SDL_SetRenderDrawColor(renderer_.get(), static_cast<Uint8>(desktop.r * 255),
                         static_cast<Uint8>(desktop.g * 255), static_cast<Uint8>(desktop.b * 255),
                         255);
  SDL_RenderClear(renderer_.get());
  textures_->Copy();
  ImGui_ImplSDLRenderer_RenderDrawData(ImGui::GetDrawData());
  if (screenshotPath != nullptr) WriteScreenshot(renderer_.get(), *screenshotPath);
  SDL_RenderPresent(renderer_.get());
}

void Workbench::PutPaletteBeside() {
  const host::HostDialog* palette = session_->FindPalette();
  if (palette == nullptr || !palette->visible) session_->Execute({"menu"});
  // Screen places: the screen's (0, 0) is the window's just under the menu bar.
  constexpr int kGap = 12;
  const pictures::Box canvas = CanvasBox(session_->host().view());
  session_->Execute(
      {"window", "move", std::to_string(canvas.left + canvas.width + kGap), std::to_string(kGap)});
  TakeSessionOutput();
}

const pictures::LooksPicture* Workbench::DraggedDrawingLooks(size_t path) {
  std::string error;
  try {
    if (const std::optional<app::Session::DrawingLayers> layers =
            session_->DrawingLayersAround(path)) {
      return dragged_.For({layers->under, layers->element, layers->over},
                          session_->DrawingFileName(), error);
    }
  } catch (const std::exception&) {
    // The whole drawing is read instead, and says what is wrong with it.
  }
  return nullptr;
}

const pictures::LooksPicture* Workbench::DrawingLooks() {
  if (session_->host().document() == nullptr) return nullptr;
  if (const std::optional<size_t> path = canvas_->draggedPath()) {
    if (const pictures::LooksPicture* layered = DraggedDrawingLooks(*path)) return layered;
  } else {
    dragged_.Forget();
  }
  std::string error;
  const pictures::LooksPicture* looks = nullptr;
  try {
    looks = drawings_.For(session_->DrawingText(), session_->DrawingFileName(), error);
  } catch (const std::exception& refused) {
    error = refused.what();
  }
  // The paths are still there to see and edit, as outlines; the person is told once why.
  if (looks == nullptr && error != drawingError_)
    SetStatus("the drawing is shown as outlines: " + error, true);
  drawingError_ = looks == nullptr ? error : std::string();
  return looks;
}

void Workbench::UpdateTitle() {
  const std::string file = session_->DrawingFileName();
  const std::string title =
      file.empty() ? kTitle
                   : std::string(kTitle) + " - " + std::filesystem::path(file).filename().string();
  if (title == title_) return;
  title_ = title;
  SDL_SetWindowTitle(window_.get(), title.c_str());
}

std::optional<SDL_Rect> Workbench::ItemOnScreen(int32_t id) {
  const std::optional<PalettePlacement> place = palette_->Placement();
  host::HostDialog* palette = session_->FindPalette();
  if (!place || palette == nullptr || palette->collapsed) return std::nullopt;
  const host::HostItem* item = session_->host().dialogs().ItemWithId(*palette, id);
  if (item == nullptr || !item->visible) return std::nullopt;
  const ADMRect& b = item->bounds;
  return SDL_Rect{place->left + place->geometry.client.left + b.left,
                  place->top + place->geometry.client.top + b.top, b.right - b.left,
                  b.bottom - b.top};
}

std::optional<SDL_Point> Workbench::AnchorOnScreen(size_t path, size_t anchor) {
  const host::Document* document = session_->host().document();
  if (document == nullptr || path >= document->paths().size() ||
      anchor >= document->paths()[path].segments.size())
    return std::nullopt;
  const AIPoint pixel =
      session_->host().view().ArtworkToView(document->paths()[path].segments[anchor].p);
  const pictures::Box canvas = CanvasBox(session_->host().view());
  if (pixel.h < 0 || pixel.v < 0 || pixel.h >= canvas.width || pixel.v >= canvas.height)
    return std::nullopt;
  return SDL_Point{canvas.left + pixel.h, canvas.top + pixel.v};
}

bool Workbench::RestoreWindowSize() {
  const std::optional<host::PreferencePoint> kept =
      session_->host().preferences().Point(kWindowSizePreference);
  if (!kept) return false;
  // Whatever the file says, within what a window can be before the view's share is taken.
  const WindowSize view =
      ViewInside(std::clamp(kept->h, kSmallestWindow.width, kLargestWindow.width),
                 std::clamp(kept->v, kSmallestWindow.height, kLargestWindow.height));
  session_->host().view().Resize(view.width, view.height);
  return true;
}

void Workbench::KeepWindowOnScreen() {
  SDL_Rect screen{};
  if (SDL_GetDisplayUsableBounds(0, &screen) != 0 || screen.w <= 0 || screen.h <= 0) return;
  host::DocumentView& view = session_->host().view();
  const WindowSize window = WindowAround(view);
  if (window.width <= screen.w && window.height <= screen.h) return;
  const WindowSize fits =
      ViewInside(std::min(window.width, screen.w), std::min(window.height, screen.h));
  view.Resize(fits.width, fits.height);
}

void Workbench::Resized(int width, int height) {
  const WindowSize inside = ViewInside(width, height);
  const int viewWidth =
      std::clamp(inside.width, host::DocumentView::kMinSide, host::DocumentView::kMaxSide);
  const int viewHeight =
      std::clamp(inside.height, host::DocumentView::kMinSide, host::DocumentView::kMaxSide);
  host::DocumentView& view = session_->host().view();
  if (viewWidth == view.width() && viewHeight == view.height()) return;
  const ViewPlace place = ResizedAboutTheMiddle(view, viewWidth, viewHeight);
  view.Resize(viewWidth, viewHeight);
  view.ScrollTo(static_cast<float>(place.left), static_cast<float>(place.top));
  dirty_ = true;
}

}  // namespace tavrix::workbench
