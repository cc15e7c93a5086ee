// SDL's video system, its window and renderer, and Dear ImGui's context with its two backends,
// each given back however the workbench's construction ends.
#pragma once

#include <SDL.h>

#include <memory>

#include "workbench/WindowLayout.h"

struct ImGuiIO;

namespace tavrix::workbench {

class SdlVideo {
 public:
  // Throws WorkbenchError with SDL's reason and what to check.
  SdlVideo();
  ~SdlVideo();
  SdlVideo(const SdlVideo&) = delete;
  SdlVideo& operator=(const SdlVideo&) = delete;
};

struct WindowDeleter {
  void operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
};
struct RendererDeleter {
  void operator()(SDL_Renderer* renderer) const { SDL_DestroyRenderer(renderer); }
};
using WindowHandle = std::unique_ptr<SDL_Window, WindowDeleter>;
using RendererHandle = std::unique_ptr<SDL_Renderer, RendererDeleter>;

// A window of that size with a software renderer, which needs no graphics card. Throws
// WorkbenchError.
WindowHandle OpenWindow(const char* title, WindowSize size, WindowSize smallest,
                        WindowSize largest);
RendererHandle SoftwareRenderer(SDL_Window* window);

// The palette's font (a TrueType sans, found by fontconfig) for the menus, dialogs and status
// line, at the palette's size; answers its height in pixels.
float UseInterfaceFont(ImGuiIO& io);

// Dear ImGui for this window and renderer, in a light style whose menu bar is `menuBarHeight`
// pixels high; no settings file is written.
class ImGuiSession {
 public:
  ImGuiSession(SDL_Window* window, SDL_Renderer* renderer, int menuBarHeight);
  ~ImGuiSession();
  ImGuiSession(const ImGuiSession&) = delete;
  ImGuiSession& operator=(const ImGuiSession&) = delete;
};

}  // namespace tavrix::workbench
