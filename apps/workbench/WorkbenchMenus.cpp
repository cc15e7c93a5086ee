// The host's menus (File, Edit, View, and Window with the plug-in's item), the dialog that asks
// for a file name, and the status line, built with Dear ImGui each frame.
#include <imgui.h>
#include <imgui_stdlib.h>

#include <cstdio>
#include <filesystem>

#include "workbench/Workbench.h"

namespace tavrix::workbench {
namespace {

constexpr char kOpenTitle[] = "Open SVG drawing";
constexpr char kSaveTitle[] = "Save SVG drawing as";

std::string Rounded(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", value);
  return text;
}

}  // namespace

void Workbench::NewDocument() {
  palette_->DropFocus();
  Perform({"document", "pt"});
}

bool Workbench::OpenDrawing(const std::string& path) {
  palette_->DropFocus();
  if (!Perform({"open", path})) return false;
  canvas_->FitArtwork();
  RememberFile();
  return true;
}

bool Workbench::Save() {
  // A value typed and not yet committed is part of what the person means to save.
  palette_->CommitTyping();
  if (session_->host().document() == nullptr) {
    Tell("there is no document to save");
    return false;
  }
  if (session_->DrawingFileName().empty()) {
    AskForFile(true);
    return false;
  }
  return SaveAs("");
}

bool Workbench::SaveAs(const std::string& path) {
  std::vector<std::string> words{"save"};
  if (!path.empty()) words.push_back(path);
  if (!Perform(words)) return false;
  RememberFile();
  return true;
}

void Workbench::UndoOrRedo(bool undo) {
  // What was typed and not committed is not part of the document's history.
  palette_->DropFocus();
  Perform({undo ? "undo" : "redo"});
}

void Workbench::AskForFile(bool save) {
  if (save && session_->host().document() == nullptr) {
    Tell("there is no document to save");
    return;
  }
  if (save) palette_->CommitTyping();
  palette_->DropFocus();
  fileDialog_.requested = true;
  fileDialog_.focusPath = true;
  std::string current = session_->DrawingFileName();
  if (current.empty() && save) {
    std::error_code ignored;
    current = (std::filesystem::current_path(ignored) / "drawing.svg").string();
  }
  fileDialog_.browser.Start(current, save);
}

void Workbench::RememberFile() {
  const std::string file = session_->DrawingFileName();
  if (file.empty()) return;
  fileDialog_.browser.Remember(file);
  session_->host().preferences().SetString(kRecentFilesPreference,
                                           fileDialog_.browser.RecentText());
}

bool Workbench::BeginMenu(const char* name) {
  // The header's place, for the tests that point at it as a person would.
  const ImVec2 at = ImGui::GetCursorScreenPos();
  const float width = ImGui::CalcTextSize(name).x + ImGui::GetStyle().ItemSpacing.x * 2;
  menuHeaders_[name] = SDL_Rect{static_cast<int>(at.x), 0, static_cast<int>(width), kMenuBarHeight};
  if (!ImGui::BeginMenu(name)) return false;
  openMenu_ = name;
  // Escape closes the open menu, and the menus it was opened from.
  if (closeMenus_) ImGui::CloseCurrentPopup();
  return true;
}

void Workbench::BuildMenus() {
  openMenu_.clear();
  const bool closing = closeMenus_;
  BuildMenuBar();
  if (closing) closeMenus_ = false;
}

void Workbench::BuildMenuBar() {
  if (!ImGui::BeginMainMenuBar()) return;
  const bool hasDocument = session_->host().document() != nullptr;
  if (BeginMenu("File")) {
    BuildFileMenu(hasDocument);
    ImGui::EndMenu();
  }
  if (BeginMenu("Edit")) {
    BuildEditMenu();
    ImGui::EndMenu();
  }
  if (BeginMenu("View")) {
    BuildViewMenu(hasDocument);
    ImGui::EndMenu();
  }
  if (BeginMenu("Window")) {
    BuildWindowMenu();
    ImGui::EndMenu();
  }
  ImGui::EndMainMenuBar();
}

void Workbench::BuildFileMenu(bool hasDocument) {
  if (ImGui::MenuItem("New", "Ctrl+N")) Leave(Leaving::NewDocument);
  if (ImGui::MenuItem("Open...", "Ctrl+O")) Leave(Leaving::Open);
  if (ImGui::MenuItem("Save", "Ctrl+S", false, hasDocument)) Save();
  if (ImGui::MenuItem("Save As...", "Ctrl+Shift+S", false, hasDocument)) AskForFile(true);
  ImGui::Separator();
  if (ImGui::MenuItem("Quit", "Ctrl+Q")) Leave(Leaving::Quit);
}

void Workbench::BuildEditMenu() {
  // The host names each step after what did it: "Undo Tavrix", "Undo Move".
  const std::string undo = session_->host().UndoText();
  const std::string redo = session_->host().RedoText();
  if (ImGui::MenuItem(undo.empty() ? "Undo" : undo.c_str(), "Ctrl+Z", false, !undo.empty()))
    UndoOrRedo(true);
  if (ImGui::MenuItem(redo.empty() ? "Redo" : redo.c_str(), "Ctrl+Shift+Z", false, !redo.empty()))
    UndoOrRedo(false);
}

void Workbench::BuildViewMenu(bool hasDocument) {
  if (ImGui::MenuItem("Zoom In", "Ctrl+=", false, hasDocument))
    canvas_->ZoomBy(CanvasController::kWheelFactor);
  if (ImGui::MenuItem("Zoom Out", "Ctrl+-", false, hasDocument))
    canvas_->ZoomBy(1 / CanvasController::kWheelFactor);
  if (ImGui::MenuItem("Fit", "Ctrl+0", false, hasDocument)) canvas_->FitArtwork();
  if (ImGui::MenuItem("Actual Size", "Ctrl+1", false, hasDocument)) canvas_->ActualSize();
}

void Workbench::BuildWindowMenu() {
  // The plug-in's menu items, under the groups they asked for (Tool Palettes).
  for (const host::MenuItemRecord& item : session_->host().registrations().menuItems()) {
    const std::string group = item.group.empty() ? "Plug-ins" : item.group;
    if (!ImGui::BeginMenu(group.c_str())) continue;
    if (ImGui::MenuItem(item.text.c_str(), nullptr, item.checked)) {
      palette_->DropFocus();
      Perform({"menu"});
    }
    ImGui::EndMenu();
  }
}

void Workbench::BuildFileDialog() {
  FileBrowser& browser = fileDialog_.browser;
  const char* title = browser.save() ? kSaveTitle : kOpenTitle;
  if (fileDialog_.requested) {
    ImGui::OpenPopup(title);
    fileDialog_.requested = false;
  }
  fileDialog_.open = false;
  const WindowSize window = WindowAround(session_->host().view());
  ImGui::SetNextWindowPos(ImVec2(window.width / 2.0f, window.height / 2.0f), ImGuiCond_Appearing,
                          ImVec2(0.5f, 0.5f));
  if (!ImGui::BeginPopupModal(title, nullptr, ImGuiWindowFlags_AlwaysAutoResize)) return;
  fileDialog_.open = true;
  if (ImGui::Button("Up")) browser.Up();
  ImGui::SameLine();
  ImGui::TextUnformatted(browser.folder().string().c_str());
  bool chosen = BuildFolderList();
  chosen |= BuildRecentFiles();
  bool cancelled = false;
  chosen |= BuildFileButtons(cancelled);
  if (chosen) {
    ChooseFile();
  } else if (cancelled) {
    ImGui::CloseCurrentPopup();
    fileDialog_.open = false;
  }
  ImGui::EndPopup();
}

bool Workbench::BuildFolderList() {
  FileBrowser& browser = fileDialog_.browser;
  bool chosen = false;
  std::string enter;
  ImGui::BeginChild("##folder", ImVec2(560, 260), true);
  if (ImGui::Selectable("..  (the folder above)", false, ImGuiSelectableFlags_AllowDoubleClick) &&
      ImGui::IsMouseDoubleClicked(0))
    enter = "..";
  for (const FileEntry& entry : browser.entries()) {
    const std::string shown = entry.folder ? entry.name + "/" : entry.name;
    const bool selected = !entry.folder && entry.name == browser.typed();
    if (!ImGui::Selectable(shown.c_str(), selected, ImGuiSelectableFlags_AllowDoubleClick))
      continue;
    const bool twice = ImGui::IsMouseDoubleClicked(0);
    if (entry.folder && twice) enter = entry.name;
    if (!entry.folder) browser.typed() = entry.name;
    chosen |= !entry.folder && twice;
  }
  ImGui::EndChild();
  if (enter == "..") browser.Up();
  if (!enter.empty() && enter != "..") browser.Enter(enter);
  return chosen;
}

bool Workbench::BuildRecentFiles() {
  FileBrowser& browser = fileDialog_.browser;
  if (browser.recent().empty()) return false;
  ImGui::TextUnformatted("Recent files:");
  bool chosen = false;
  for (const std::string& path : browser.recent()) {
    if (!ImGui::Selectable(path.c_str(), false, ImGuiSelectableFlags_AllowDoubleClick)) continue;
    browser.typed() = path;
    chosen |= ImGui::IsMouseDoubleClicked(0);
  }
  return chosen;
}

bool Workbench::BuildFileButtons(bool& cancelled) {
  FileBrowser& browser = fileDialog_.browser;
  ImGui::TextUnformatted(browser.save() ? "Save as (a name, or a path):"
                                        : "Open (a name, or a path):");
  if (fileDialog_.focusPath) {
    ImGui::SetKeyboardFocusHere();
    fileDialog_.focusPath = false;
  }
  ImGui::SetNextItemWidth(560);
  bool chosen = ImGui::InputText("##path", &browser.typed(), ImGuiInputTextFlags_EnterReturnsTrue);
  if (!browser.error().empty()) {
    ImGui::PushStyleColor(ImGuiCol_Text, ImVec4(0.75f, 0.05f, 0.05f, 1));
    ImGui::PushTextWrapPos(560);
    ImGui::TextUnformatted(browser.error().c_str());
    ImGui::PopTextWrapPos();
    ImGui::PopStyleColor();
  }
  chosen |= ImGui::Button(browser.save() ? "Save" : "Open", ImVec2(90, 0));
  ImGui::SameLine();
  cancelled = ImGui::Button("Cancel", ImVec2(90, 0)) ||
              ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Escape));
  return chosen;
}

void Workbench::ChooseFile() {
  FileBrowser& browser = fileDialog_.browser;
  const std::optional<std::string> path = browser.Choose();
  if (!path) {
    fileDialog_.focusPath = true;  // a folder was gone into, or nothing was named
    return;
  }
  const bool done = browser.save() ? SaveAs(*path) : OpenDrawing(*path);
  // A file that could not be read or written keeps the dialog open with the reason.
  if (!done) {
    browser.SetError(status_);
    fileDialog_.focusPath = true;
    return;
  }
  ImGui::CloseCurrentPopup();
  fileDialog_.open = false;
}

void Workbench::BuildStatusLine() {
  const ImGuiWindowFlags flags = ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoInputs |
                                 ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoSavedSettings |
                                 ImGuiWindowFlags_NoFocusOnAppearing |
                                 ImGuiWindowFlags_NoBringToFrontOnFocus;
  const WindowSize window = WindowAround(session_->host().view());
  ImGui::SetNextWindowPos(ImVec2(0, static_cast<float>(window.height - kStatusBarHeight)));
  ImGui::SetNextWindowSize(ImVec2(static_cast<float>(window.width), kStatusBarHeight));
  ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, ImVec2(8, 4));
  ImGui::PushStyleVar(ImGuiStyleVar_WindowRounding, 0);
  if (ImGui::Begin("##status", nullptr, flags)) {
    if (statusIsError_) ImGui::PushStyleColor(ImGuiCol_Text, ImVec4(0.75f, 0.05f, 0.05f, 1));
    ImGui::TextUnformatted(status_.c_str());
    if (statusIsError_) ImGui::PopStyleColor();
    // Where the mouse is on the artwork, in points with v growing upwards, and the zoom.
    std::string where = "zoom " + Rounded(session_->host().view().zoom() * 100) + " %";
    if (const std::optional<ArtworkPoint> p = canvas_->pointer())
      where = "h " + Rounded(p->h) + "  v " + Rounded(p->v) + " pt    " + where;
    const float width = ImGui::CalcTextSize(where.c_str()).x;
    ImGui::SameLine(static_cast<float>(window.width) - width - 10);
    ImGui::TextUnformatted(where.c_str());
  }
  ImGui::End();
  ImGui::PopStyleVar(2);
}

}  // namespace tavrix::workbench
