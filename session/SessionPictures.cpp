// Pictures of the session: what a person would see of the palette and of the artwork, as PNG.
#include <cctype>
#include <optional>

#include "pictures/DrawingPicture.h"
#include "pictures/Pictures.h"
#include "session/ScriptWords.h"
#include "session/Session.h"

namespace tavrix::app {
namespace {

constexpr int kDefaultScale = 2;  // crisp when looked at closely, still small files

bool NamesPng(const std::string& file) {
  if (file.size() < 5) return false;
  std::string suffix = file.substr(file.size() - 4);
  for (char& c : suffix) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return suffix == ".png";
}

// What `render FILE.png [palette|artwork|both] [flyout] [scale 1-4]` asks for after its file.
struct RenderRequest {
  pictures::Show show = pictures::Show::Both;
  bool flyout = false;
  int scale = kDefaultScale;
};

// The words after the file, each said once; nullopt when they are not a render's.
std::optional<RenderRequest> ReadRenderRequest(const std::vector<std::string>& words) {
  RenderRequest request;
  bool showChosen = false;
  for (size_t i = 1; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (!showChosen && (word == "palette" || word == "artwork" || word == "both")) {
      request.show = word == "palette"   ? pictures::Show::Palette
                     : word == "artwork" ? pictures::Show::Artwork
                                         : pictures::Show::Both;
      showChosen = true;
    } else if (word == "flyout" && !request.flyout) {
      request.flyout = true;
    } else if (word == "scale" && i + 1 < words.size()) {
      request.scale = IntegerWord(words[++i], "a scale");
      if (request.scale < 1 || request.scale > pictures::Image::kMaxScale) return std::nullopt;
    } else {
      return std::nullopt;
    }
  }
  return request;
}

}  // namespace

std::unique_ptr<pictures::DrawingPicture> Session::DrawingLooks(std::string& note) {
  if (host_->document() == nullptr) return nullptr;
  try {
    return std::make_unique<pictures::DrawingPicture>(DrawingText(), DrawingFileName());
  } catch (const std::exception& error) {
    // The shapes can still be seen, as outlines, and the picture says why.
    note = " (the paths as outlines: " + std::string(error.what()) + ")";
    return nullptr;
  }
}

void Session::Render(const std::vector<std::string>& words) {
  if (words.empty()) throw Usage("render");
  const std::string& file = words[0];
  if (!NamesPng(file))
    throw ScriptError("render writes PNG pictures: name the file FILE.png, not " + Quoted(file));
  const std::optional<RenderRequest> request = ReadRenderRequest(words);
  if (!request) throw Usage("render");
  const pictures::Show show = request->show;
  const int scale = request->scale;
  pictures::Scene scene;
  scene.flyoutOpen = request->flyout;

  host::HostDialog* palette = nullptr;
  try {
    palette = &Palette();
  } catch (const ScriptError&) {
    // Never opened: nothing of it to see, which the picture says.
  }
  scene.palette = palette;
  scene.document = host_->document();
  scene.view = &host_->view();
  // The palette follows the selection only while it can be seen.
  if (scene.document != nullptr && palette != nullptr && palette->visible && !palette->collapsed)
    scene.currentPoint = pictures::FindCurrentPoint(*scene.document);
  std::string outlines;
  const std::unique_ptr<pictures::DrawingPicture> looks = DrawingLooks(outlines);
  scene.drawing = looks.get();

  try {
    const pictures::Picture picture = pictures::Render(scene, show, scale);
    picture.image.WritePng(file);
    std::string missing;
    if (show == pictures::Show::Both && !picture.layout.showsPalette)
      missing = " (the palette is hidden)";
    if (show == pictures::Show::Both && !picture.layout.showsArtwork)
      missing = " (there is no document)";
    out_ << "wrote " << file << ": " << pictures::DescribeContents(picture.layout) << missing
         << outlines << ", " << picture.image.pixelWidth() << " x " << picture.image.pixelHeight()
         << " pixels (scale " << scale << ")\n";
  } catch (const pictures::PictureError& error) {
    throw ScriptError(error.what());
  }
}

}  // namespace tavrix::app
