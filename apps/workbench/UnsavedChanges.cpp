// Leaving a drawing: quitting, making a new one or opening another first commits what is being
// typed into the palette, then asks whether to save changes that would otherwise be lost.
#include <imgui.h>

#include "workbench/Workbench.h"

namespace tavrix::workbench {
namespace {

constexpr char kTitle[] = "Unsaved changes";

}  // namespace

void Workbench::Leave(Leaving action) {
  palette_->CommitTyping();
  if (!session_->HasUnsavedChanges()) {
    Go(action);
    return;
  }
  unsaved_.requested = true;
  unsaved_.action = action;
  unsaved_.choice = UnsavedChangesDialog::Choice::None;
}

void Workbench::Go(Leaving action) {
  switch (action) {
    case Leaving::Quit:
      quit_ = true;
      break;
    case Leaving::NewDocument:
      NewDocument();
      break;
    case Leaving::Open:
      AskForFile(false);
      break;
  }
}

void Workbench::UnsavedChangesKey(const SDL_Keysym& key) {
  using Choice = UnsavedChangesDialog::Choice;
  if (key.sym == SDLK_RETURN || key.sym == SDLK_KP_ENTER) unsaved_.choice = Choice::Save;
  if (key.sym == SDLK_d && (key.mod & (KMOD_CTRL | KMOD_GUI)) != 0)
    unsaved_.choice = Choice::DontSave;
  if (key.sym == SDLK_ESCAPE) unsaved_.choice = Choice::Cancel;
}

void Workbench::BuildUnsavedChangesDialog() {
  using Choice = UnsavedChangesDialog::Choice;
  if (unsaved_.requested) {
    ImGui::OpenPopup(kTitle);
    unsaved_.requested = false;
    unsaved_.open = true;
  }
  const WindowSize window = WindowAround(session_->host().view());
  ImGui::SetNextWindowPos(ImVec2(window.width / 2.0f, window.height / 3.0f), ImGuiCond_Appearing,
                          ImVec2(0.5f, 0.5f));
  if (!ImGui::BeginPopupModal(kTitle, nullptr, ImGuiWindowFlags_AlwaysAutoResize)) {
    unsaved_.open = false;
    return;
  }
  const std::string file = session_->DrawingFileName();
  const std::string what = file.empty() ? "The new drawing" : "The drawing " + file;
  ImGui::TextUnformatted((what + " has changes that are not saved.").c_str());
  ImGui::TextUnformatted("Save them first? (Enter saves, Ctrl+D does not, Escape cancels)");
  Choice choice = unsaved_.choice;
  unsaved_.choice = Choice::None;
  if (ImGui::Button("Save", ImVec2(110, 0))) choice = Choice::Save;
  ImGui::SameLine();
  if (ImGui::Button("Don't Save", ImVec2(110, 0))) choice = Choice::DontSave;
  ImGui::SameLine();
  if (ImGui::Button("Cancel", ImVec2(110, 0))) choice = Choice::Cancel;
  if (choice != Choice::None) {
    ImGui::CloseCurrentPopup();
    unsaved_.open = false;
  }
  ImGui::EndPopup();
  if (choice == Choice::DontSave) Go(unsaved_.action);
  // A drawing without a file gets one first; the person then leaves again.
  if (choice == Choice::Save && !file.empty() && Save()) Go(unsaved_.action);
  if (choice == Choice::Save && file.empty()) AskForFile(true);
}

}  // namespace tavrix::workbench
