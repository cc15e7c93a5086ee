#include "workbench/SdlHandles.h"

#include <imgui.h>
#include <imgui_impl_sdl.h>
#include <imgui_impl_sdlrenderer.h>

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "pictures/DrawingTools.h"
#include "pictures/Pictures.h"

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

// The file of the font fontconfig gives for the family, as cairo draws the palette with it.
std::string FontFile(const char* family) {
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(family));
  if (pattern == nullptr) return "";
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  std::string file;
  FcChar8* path = nullptr;
  if (match != nullptr && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch)
    file = reinterpret_cast<const char*>(path);
  if (match != nullptr) FcPatternDestroy(match);
  FcPatternDestroy(pattern);
  return file;
}

}  // namespace

float UseInterfaceFont(ImGuiIO& io) {
  // Latin-1, and the punctuation and signs the status line writes (“ ” − …).
  static const ImWchar kRanges[] = {0x0020, 0x00FF, 0x2010, 0x2027, 0x2030, 0x203A,
                                    0x2190, 0x2193, 0x2212, 0x2212, 0};
  // The palette's size: cairo sizes a font by its em, Dear ImGui by its ascent and descent,
  // which together are 1.164 em in DejaVu's faces.
  const float size = static_cast<float>(pictures::kFontSize * 1.164);
  const std::string file = FontFile(pictures::kDialogFontFamily);
  pictures::ReleaseFontCachesAtExit();
  if (!file.empty() && io.Fonts->AddFontFromFileTTF(file.c_str(), size, nullptr, kRanges))
    return size;
  // Without a TrueType font the window still works, in Dear ImGui's own.
  io.Fonts->AddFontDefault();
  return 13.0f;
}

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

WindowHandle OpenWindow(const char* title, WindowSize size, WindowSize smallest,
                        WindowSize largest) {
  SDL_Window* window =
      SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, size.width,
                       size.height, SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE);
  if (window == nullptr)
    throw WorkbenchError(std::string("cannot open a window: ") + SDL_GetError());
  SDL_SetWindowMinimumSize(window, smallest.width, smallest.height);
  SDL_SetWindowMaximumSize(window, largest.width, largest.height);
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
  // The padding makes up the menu bar's height around the font's.
  const float fontHeight = UseInterfaceFont(io);
  style.FramePadding.y = std::max(0.0f, (static_cast<float>(menuBarHeight) - fontHeight) / 2);
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
