// Helpers of the SVG tests: files, documents from text, and points compared exactly or closely.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "host/svg/SvgDocument.h"

namespace tavrix::svg::svgtest {

inline std::string Fixture(const std::string& name) {
  return std::string(TAVRIX_SVG_FIXTURES) + "/" + name;
}

inline std::string ReadText(const std::string& path) {
  std::ostringstream bytes;
  bytes << std::ifstream(path, std::ios::binary).rdbuf();
  return bytes.str();
}

inline void WriteText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// A folder of its own for one test, removed afterwards.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavrix-svg-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }

 private:
  std::filesystem::path path_;
};

inline SvgDocument FromText(const std::string& text, size_t limit = kMaxAnchorsPerPath) {
  return SvgDocument::Parse(text, "test.svg", limit);
}

// The paths of a one-path document.
inline std::vector<SvgPath> PathsOf(const std::string& d) {
  return FromText("<svg><path d=\"" + d + "\"/></svg>").paths();
}

// The message of the SvgError that `body` throws, or "" when it throws none.
template <class Body>
std::string ErrorOf(Body&& body) {
  try {
    body();
  } catch (const SvgError& error) {
    return error.what();
  }
  return "";
}

inline ::testing::AssertionResult Near(const RealPoint& actual, double h, double v,
                                       double tolerance = 1e-4) {
  if (std::fabs(actual.h - h) <= tolerance && std::fabs(actual.v - v) <= tolerance) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << "(" << actual.h << ", " << actual.v << ") is not (" << h << ", " << v << ")";
}

inline ::testing::AssertionResult Exactly(const RealPoint& actual, float h, float v) {
  if (actual.h == h && actual.v == v) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "(" << actual.h << ", " << actual.v << ") is not (" << h << ", " << v << ")";
}

// A point of the curve from a to b at t.
inline RealPoint CurvePoint(const PathSegment& a, const PathSegment& b, double t) {
  const double u = 1 - t;
  auto at = [&](double p0, double p1, double p2, double p3) {
    return u * u * u * p0 + 3 * u * u * t * p1 + 3 * u * t * t * p2 + t * t * t * p3;
  };
  return RealPoint{static_cast<float>(at(a.p.h, a.out.h, b.in.h, b.p.h)),
                   static_cast<float>(at(a.p.v, a.out.v, b.in.v, b.p.v))};
}

// The same anchors and handles, and the same corner flags unless `corners` is false (a caller's
// edit may leave a flag that reading the file computes anew).
inline bool SameSegments(const std::vector<PathSegment>& a, const std::vector<PathSegment>& b,
                         bool corners = true) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i].p.h != b[i].p.h || a[i].p.v != b[i].p.v || a[i].in.h != b[i].in.h ||
        a[i].in.v != b[i].in.v || a[i].out.h != b[i].out.h || a[i].out.v != b[i].out.v ||
        (corners && a[i].corner != b[i].corner)) {
      return false;
    }
  }
  return true;
}

// Every path as it was read, to save unchanged or change first.
inline std::vector<EditedPath> AsRead(const SvgDocument& document) {
  std::vector<EditedPath> current;
  for (size_t i = 0; i < document.paths().size(); ++i) {
    current.push_back(EditedPath{i, document.paths()[i].segments, document.paths()[i].closed});
  }
  return current;
}

}  // namespace tavrix::svg::svgtest
