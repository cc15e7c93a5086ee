// The window as it is drawn, written as a PNG.
#pragma once

#include <SDL.h>

#include <string>

namespace tavrix::workbench {

// Reads what the renderer drew since the last present; call it before presenting. Throws
// pictures::PictureError naming the file and why it could not be written.
void WriteScreenshot(SDL_Renderer* renderer, const std::string& path);

// Whether the name ends in .png, in any case.
bool NamesPng(const std::string& path);

}  // namespace tavrix::workbench
