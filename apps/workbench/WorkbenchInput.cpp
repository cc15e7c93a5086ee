// Events from SDL's queue to whoever they are for: the menus and dialogs (Dear ImGui), the
// palette, or the document window; and the keyboard shortcuts of the host's menus.
#include <imgui.h>
#include <imgui_impl_sdl.h>

#include "workbench/Workbench.h"

namespace tavrix::workbench {
namespace {

Modifiers ModifiersOf(Uint16 mod) {
  Modifiers m;
  m.shift = (mod & KMOD_SHIFT) != 0;
  m.ctrl = (mod & KMOD_CTRL) != 0;
  m.alt = (mod & KMOD_ALT) != 0;
  m.command = (mod & KMOD_GUI) != 0;
  return m;
}

std::optional<Key> EditingKey(SDL_Keycode sym) {
  switch (sym) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      return Key::Enter;
    case SDLK_ESCAPE:
      return Key::Escape;
    case SDLK_TAB:
      return Key::Tab;
    case SDLK_BACKSPACE:
      return Key::Backspace;
    case SDLK_DELETE:
      return Key::Delete;
    case SDLK_LEFT:
      return Key::Left;
    case SDLK_RIGHT:
      return Key::Right;
    case SDLK_HOME:
      return Key::Home;
    case SDLK_END:
      return Key::End;
    case SDLK_UP:
      return Key::Up;
    case SDLK_DOWN:
      return Key::Down;
    default:
      return std::nullopt;
  }
}

std::optional<Button> ButtonOf(Uint8 button) {
  if (button == SDL_BUTTON_LEFT) return Button::Left;
  if (button == SDL_BUTTON_MIDDLE) return Button::Middle;
  if (button == SDL_BUTTON_RIGHT) return Button::Right;
  return std::nullopt;
}

}  // namespace

bool Workbench::ImGuiTakesMouse(int, int y) const {
  return fileDialog_.open || unsaved_.open || menuOpen_ || y < kMenuBarHeight ||
         y >= WindowAround(session_->host().view()).height - kStatusBarHeight;
}

bool Workbench::ImGuiTakesKeyboard() const {
  return fileDialog_.open || unsaved_.open || textInputWanted_;
}

void Workbench::HandleEvent(const SDL_Event& event) {
  ImGui_ImplSDL2_ProcessEvent(&event);
  switch (event.type) {
    case SDL_QUIT:
      Leave(Leaving::Quit);
      break;
    case SDL_WINDOWEVENT:
      HandleWindowEvent(event.window);
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      HandleKeyEvent(event.key);
      break;
    case SDL_TEXTINPUT:
      // Ctrl and Alt combinations are shortcuts, never text.
      if (!ImGuiTakesKeyboard() && !modifiers_.ctrl && palette_->TextInput(event.text.text))
        dirty_ = true;
      break;
    case SDL_MOUSEMOTION:
      mouseX_ = event.motion.x;
      mouseY_ = event.motion.y;
      palette_->MouseMove(mouseX_, mouseY_);
      canvas_->MouseMove(mouseX_, mouseY_, modifiers_);
      if (canvas_->dragging()) dirty_ = true;
      break;
    case SDL_MOUSEBUTTONDOWN: {
      mouseX_ = event.button.x;
      mouseY_ = event.button.y;
      const std::optional<Button> button = ButtonOf(event.button.button);
      if (!button || capture_ != Capture::None || ImGuiTakesMouse(mouseX_, mouseY_)) break;
      dirty_ = true;
      if (*button == Button::Left &&
          palette_->MouseDown(mouseX_, mouseY_, modifiers_, event.button.timestamp)) {
        capture_ = Capture::Palette;
      } else if (canvas_->MouseDown(mouseX_, mouseY_, *button)) {
        capture_ = Capture::Canvas;
      }
      break;
    }
    case SDL_MOUSEBUTTONUP:
      mouseX_ = event.button.x;
      mouseY_ = event.button.y;
      if (capture_ == Capture::Palette) palette_->MouseUp(mouseX_, mouseY_, event.button.timestamp);
      if (capture_ == Capture::Canvas) canvas_->MouseUp(mouseX_, mouseY_);
      capture_ = Capture::None;
      dirty_ = true;
      break;
    case SDL_MOUSEWHEEL: {
      if (ImGuiTakesMouse(mouseX_, mouseY_) || palette_->Covers(mouseX_, mouseY_)) break;
      float notches = event.wheel.preciseY;
      if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) notches = -notches;
      canvas_->Wheel(mouseX_, mouseY_, notches);
      break;
    }
    default:
      break;
  }
}

void Workbench::HandleWindowEvent(const SDL_WindowEvent& event) {
  // Keys let go of while another window had the focus never arrive.
  if (event.event == SDL_WINDOWEVENT_FOCUS_LOST) modifiers_ = Modifiers();
  if (event.event == SDL_WINDOWEVENT_SIZE_CHANGED) Resized(event.data1, event.data2);
  dirty_ = true;
}

void Workbench::HandleKeyEvent(const SDL_KeyboardEvent& event) {
  modifiers_ = ModifiersOf(event.keysym.mod);
  if (event.type != SDL_KEYDOWN) return;
  if (!openMenu_.empty() && event.keysym.sym == SDLK_ESCAPE) {
    closeMenus_ = true;
    dirty_ = true;
  } else if (unsaved_.open) {
    UnsavedChangesKey(event.keysym);
  } else if (!ImGuiTakesKeyboard()) {
    HandleKey(event.keysym);
  }
}

void Workbench::HandleKey(const SDL_Keysym& key) {
  dirty_ = true;
  // While a part is dragged, only Escape counts: the history waits for the drag's one step.
  if (canvas_->dragging() && key.sym != SDLK_ESCAPE) return;
  const Modifiers m = modifiers_;
  // Ctrl with a letter is a menu's shortcut; Ctrl with Alt stands for the Command key.
  if ((m.ctrl || m.command) && !(m.ctrl && m.alt)) {
    switch (key.sym) {
      case SDLK_z:
        UndoOrRedo(!m.shift);
        return;
      case SDLK_y:
        UndoOrRedo(false);
        return;
      case SDLK_n:
        Leave(Leaving::NewDocument);
        return;
      case SDLK_o:
        Leave(Leaving::Open);
        return;
      case SDLK_s:
        if (m.shift) {
          AskForFile(true);
        } else {
          Save();
        }
        return;
      case SDLK_q:
        Leave(Leaving::Quit);
        return;
      case SDLK_a:
        palette_->KeyDown(Key::SelectAll, m);
        return;
      case SDLK_v:
        if (char* text = SDL_GetClipboardText()) {
          palette_->TextInput(text);
          SDL_free(text);
        }
        return;
      case SDLK_EQUALS:
      case SDLK_PLUS:
      case SDLK_KP_PLUS:
        canvas_->ZoomBy(CanvasController::kWheelFactor);
        return;
      case SDLK_MINUS:
      case SDLK_KP_MINUS:
        canvas_->ZoomBy(1 / CanvasController::kWheelFactor);
        return;
      case SDLK_0:
        canvas_->FitArtwork();
        return;
      case SDLK_1:
        canvas_->ActualSize();
        return;
      default:
        break;
    }
  }
  const std::optional<Key> editing = EditingKey(key.sym);
  if (!editing) return;
  // Escape lets go of a drag, the part going back where it was.
  if (*editing == Key::Escape && canvas_->CancelDrag()) return;
  if (palette_->KeyDown(*editing, m)) return;
  Nudge(*editing, m);
}

void Workbench::Nudge(Key key, Modifiers modifiers) {
  const char* direction = key == Key::Left    ? "left"
                          : key == Key::Right ? "right"
                          : key == Key::Up    ? "up"
                          : key == Key::Down  ? "down"
                                              : nullptr;
  if (direction == nullptr || session_->host().document() == nullptr || canvas_->dragging()) return;
  std::vector<std::string> words{"nudge", direction};
  if (modifiers.shift) words.push_back("shift");
  Perform(words);
}

}  // namespace tavrix::workbench
