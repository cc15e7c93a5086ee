// The user guide's pictures are current: each script beside them, played again into a folder of
// its own, draws pictures that match those committed. Machines differ in a font's anti-aliasing
// by a shade here and there, so a small mean difference per channel is allowed, over the whole
// picture and over each small square of it; a changed script, palette or drawing changes far
// more, if only in one corner of a large picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "pictures/Pictures.h"
#include "session/Session.h"
#include "support/PluginBytes.h"

namespace tavrix::pictures {
namespace {

namespace fs = std::filesystem;

constexpr double kLargestMeanDifference = 1.5;  // of 255, averaged over every channel
constexpr int kTile = 32;                       // device pixels on a side
constexpr double kLargestTileDifference = 12;   // the same, averaged over one tile

const fs::path kGuidePictures = TAVRIX_GUIDE_PICTURES;

std::vector<fs::path> Files(const fs::path& folder, const std::string& extension) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.is_regular_file() && entry.path().extension() == extension)
      files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

// Plays the script with the folder as the current one, where its relative pictures land.
std::string Play(const fs::path& script, const fs::path& folder) {
  const fs::path before = fs::current_path();
  fs::current_path(folder);
  std::ostringstream out;
  int status = 1;
  {
    std::ifstream in(script);
    app::Session session{{tavrix::test::PluginPath(), ""}, out};
    status = session.Run(in, script.filename().string());
    session.Finish();
  }
  fs::current_path(before);
  return status == 0 ? std::string() : out.str();
}

struct Difference {
  double mean = 0;       // over the whole picture
  double worstTile = 0;  // over the square that differs most
  int tileX = 0;
  int tileY = 0;
};

// The mean difference of every channel, or a reason the pictures cannot be compared.
std::string Compare(const fs::path& made, const fs::path& committed, Difference* difference) {
  const Image a = Image::ReadPng(made.string());
  const Image b = Image::ReadPng(committed.string());
  if (a.pixelWidth() != b.pixelWidth() || a.pixelHeight() != b.pixelHeight())
    return "it is " + std::to_string(a.pixelWidth()) + " x " + std::to_string(a.pixelHeight()) +
           " pixels now, " + std::to_string(b.pixelWidth()) + " x " +
           std::to_string(b.pixelHeight()) + " committed";
  const int width = a.pixelWidth();
  const int height = a.pixelHeight();
  const int across = (width + kTile - 1) / kTile;
  std::vector<double> tiles(static_cast<size_t>(across * ((height + kTile - 1) / kTile)), 0.0);
  double total = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const Rgb p = a.Pixel(x, y);
      const Rgb q = b.Pixel(x, y);
      const int channels = std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b);
      total += channels;
      tiles[static_cast<size_t>((y / kTile) * across + x / kTile)] += channels;
    }
  }
  difference->mean = total / (3.0 * width * height);
  for (size_t i = 0; i < tiles.size(); ++i) {
    const int tx = static_cast<int>(i) % across;
    const int ty = static_cast<int>(i) / across;
    const int w = std::min(kTile, width - tx * kTile);
    const int h = std::min(kTile, height - ty * kTile);
    const double mean = tiles[i] / (3.0 * w * h);
    if (mean > difference->worstTile)
      *difference = {difference->mean, mean, tx * kTile, ty * kTile};
  }
  return {};
}

TEST(GuidePictures, EveryScriptDrawsThePicturesCommittedBesideIt) {
  const std::vector<fs::path> scripts = Files(kGuidePictures, ".tavrix");
  ASSERT_FALSE(scripts.empty()) << "no scripts in " << kGuidePictures;
  const std::string remedy = "; run scripts/pictures and commit the pictures";
  int compared = 0;
  for (const fs::path& script : scripts) {
    const fs::path folder = tavrix::test::TempFolder() / script.stem();
    fs::create_directories(folder);
    const std::string failure = Play(script, folder);
    EXPECT_EQ(failure, "") << script.filename().string() << " fails" << remedy;
    for (const fs::path& made : Files(folder, ".png")) {
      const fs::path committed = kGuidePictures / made.filename();
      if (!fs::exists(committed)) {
        ADD_FAILURE() << "docs/pictures/" << made.filename().string() << " (from "
                      << script.filename().string() << ") is not committed" << remedy;
        continue;
      }
      Difference difference;
      const std::string unlike = Compare(made, committed, &difference);
      ++compared;
      const std::string name = "docs/pictures/" + made.filename().string();
      if (!unlike.empty()) {
        ADD_FAILURE() << name << ": " << unlike << remedy;
        continue;
      }
      EXPECT_LE(difference.mean, kLargestMeanDifference)
          << name << " differs from what " << script.filename().string()
          << " draws now (mean difference " << difference.mean << ")" << remedy;
      EXPECT_LE(difference.worstTile, kLargestTileDifference)
          << name << " differs from what " << script.filename().string()
          << " draws now around pixel (" << difference.tileX << ", " << difference.tileY
          << ") (mean difference there " << difference.worstTile << ")" << remedy;
    }
  }
  EXPECT_EQ(compared, static_cast<int>(Files(kGuidePictures, ".png").size()))
      << "docs/pictures holds pictures no script draws" << remedy;
}

}  // namespace
}  // namespace tavrix::pictures
