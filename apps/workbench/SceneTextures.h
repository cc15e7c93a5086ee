// The document window's content and the palette, drawn by the pictures code (the same drawing
// the session's `render` writes to PNG) into images that the window's renderer shows.
#pragma once

#include <SDL.h>

#include <optional>

#include "pictures/Pictures.h"
#include "workbench/LineEditor.h"
#include "workbench/PaletteController.h"

namespace tavrix::workbench {

// The field a person is typing into, drawn over the palette with the typed text and a caret.
struct FieldEdit {
  const host::HostItem* field = nullptr;
  const LineEditor* editor = nullptr;
};

class SceneTextures {
 public:
  // Throws std::runtime_error with SDL's reason when the renderer cannot hold the images.
  explicit SceneTextures(SDL_Renderer* renderer);
  ~SceneTextures();
  SceneTextures(const SceneTextures&) = delete;
  SceneTextures& operator=(const SceneTextures&) = delete;

  // Draws everything anew: the document window's content in the window's `canvas`, and
  // `scene.palette` at `place` when both are given.
  void Update(const pictures::Scene& scene, const pictures::Box& canvas,
              const std::optional<PalettePlacement>& place, const FieldEdit& edit);
  // Puts the images onto the renderer's target.
  void Copy();

 private:
  void UpdateArtwork(const pictures::Scene& scene);
  void UpdatePalette(const host::HostDialog& palette, const PalettePlacement& place,
                     const FieldEdit& edit);

  SDL_Renderer* renderer_;
  SDL_Texture* artwork_ = nullptr;  // made at the canvas's size once it is known
  pictures::Box canvas_;
  SDL_Texture* palette_ = nullptr;
  int paletteWidth_ = 0;
  int paletteHeight_ = 0;
  std::optional<PalettePlacement> place_;
};

}  // namespace tavrix::workbench
