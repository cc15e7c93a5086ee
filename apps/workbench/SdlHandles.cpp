#include "workbench/SdlHandles.h"

#include <imgui.h>
#include <imgui_impl_sdl.h>
#include <imgui_impl_sdlrenderer.h>

#include <cstdlib>
#include <string>

#include "workbench/Workbench.h"

namespace tavrix::workbench {
namespace {

std::string DisplayAdvice() {
  const char* display = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  if ((display == nullptr || *display == '\0') && (wayland == nullptr || *wayland == '\0'))
    return " (no display is set: run it in a desktop session, or under Xvfb with xvfb-run)";
  return "";
}

}  // namespace

SdlVideo::SdlVideo() {
  // The first click on a window that is not in front counts, as on the palette in the host.
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  // The window's pixels go to the X server as they are, never through OpenGL: no graphics
  // driver is loaded, so the workbench runs the same on a machine without one.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // A drawing program does not keep the screen saver away.
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  if (SDL_Init(SDL_INIT_VIDEO) != 0)
    throw WorkbenchError(std::string("cannot open a window: ") + SDL_GetError() + DisplayAdvice());
}

SdlVideo::~SdlVideo() {
  SDL_Quit();
}

WindowHandle OpenWindow(const char* title, int width, int height) {
  SDL_Window* window = SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                        width, height, SDL_WINDOW_SHOWN);
  if (window == nullptr)
    throw WorkbenchError(std::string("cannot open a window: ") + SDL_GetError());
  return WindowHandle(window);
}

RendererHandle SoftwareRenderer(SDL_Window* window) {
  SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
  if (renderer == nullptr)
    throw WorkbenchError(std::string("cannot draw into the window: ") + SDL_GetError());
  return RendererHandle(renderer);
}

ImGuiSession::ImGuiSession(SDL_Window* window, SDL_Renderer* renderer, int menuBarHeight) {
  IMGUI_CHECKVERSION();
  ImGui::CreateContext();
  ImGuiIO& io = ImGui::GetIO();
  io.IniFilename = nullptr;
  io.LogFilename = nullptr;
  ImGui::StyleColorsLight();
  ImGuiStyle& style = ImGui::GetStyle();
  // The default font is 13 pixels high; the padding makes up the menu bar's height.
  style.FramePadding.y = (static_cast<float>(menuBarHeight) - 13.0f) / 2;
  style.WindowRounding = 2;
  ImGui_ImplSDL2_InitForSDLRenderer(window);
  ImGui_ImplSDLRenderer_Init(renderer);
}

ImGuiSession::~ImGuiSession() {
  ImGui_ImplSDLRenderer_Shutdown();
  ImGui_ImplSDL2_Shutdown();
  ImGui::DestroyContext();
}

}  // namespace tavrix::workbench
