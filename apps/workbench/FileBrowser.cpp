#include "workbench/FileBrowser.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sstream>
#include <system_error>

namespace tavrix::workbench {
namespace {

bool NamesSvg(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".svg";
}

}  // namespace

void FileBrowser::Start(const std::string& start, bool save) {
  save_ = save;
  error_.clear();
  typed_.clear();
  std::error_code failure;
  const std::filesystem::path path =
      start.empty() ? std::filesystem::current_path(failure) : std::filesystem::path(start);
  if (std::filesystem::is_directory(path, failure)) {
    Show(path);
    return;
  }
  typed_ = path.filename().string();
  Show(path.has_parent_path() ? path.parent_path() : std::filesystem::current_path(failure));
}

void FileBrowser::Show(const std::filesystem::path& folder) {
  std::error_code failure;
  const std::filesystem::path absolute = std::filesystem::absolute(folder, failure);
  folder_ = (failure ? folder : absolute).lexically_normal();
  // "/home/ada/" is shown as "/home/ada".
  if (!folder_.has_filename() && folder_ != folder_.root_path()) folder_ = folder_.parent_path();
  entries_.clear();
  std::filesystem::directory_iterator it(folder_, failure);
  if (failure) {
    error_ = "cannot read the folder " + folder_.string() + ": " + failure.message();
    return;
  }
  for (const std::filesystem::directory_entry& entry : it) {
    const std::string name = entry.path().filename().string();
    if (name.empty() || name[0] == '.') continue;
    std::error_code kind;
    const bool isFolder = entry.is_directory(kind);
    if (isFolder || NamesSvg(entry.path())) entries_.push_back(FileEntry{name, isFolder});
  }
  std::sort(entries_.begin(), entries_.end(), [](const FileEntry& a, const FileEntry& b) {
    return a.folder != b.folder ? a.folder : a.name < b.name;
  });
}

void FileBrowser::Enter(const std::string& folderName) {
  error_.clear();
  Show(folder_ / folderName);
}

void FileBrowser::Up() {
  error_.clear();
  Show(folder_.parent_path());
}

std::optional<std::string> FileBrowser::Choose() {
  error_.clear();
  if (typed_.empty()) {
    error_ = save_ ? "type a name for the file" : "choose a file, or type its name";
    return std::nullopt;
  }
  std::filesystem::path path = typed_;
  if (path.string().rfind("~/", 0) == 0) {
    if (const char* home = std::getenv("HOME"))
      path = std::filesystem::path(home) / typed_.substr(2);
  }
  if (path.is_relative()) path = folder_ / path;
  std::error_code failure;
  if (std::filesystem::is_directory(path, failure)) {
    typed_.clear();
    Show(path);
    return std::nullopt;
  }
  // A drawing saved under a bare name is an SVG file.
  if (save_ && path.extension().empty()) path += ".svg";
  return path.lexically_normal().string();
}

void FileBrowser::Remember(const std::string& path) {
  std::error_code failure;
  const std::filesystem::path absolute = std::filesystem::absolute(path, failure);
  const std::string name =
      (failure ? std::filesystem::path(path) : absolute).lexically_normal().string();
  recent_.erase(std::remove(recent_.begin(), recent_.end(), name), recent_.end());
  recent_.insert(recent_.begin(), name);
  if (recent_.size() > kMostRecent) recent_.resize(kMostRecent);
}

std::string FileBrowser::RecentText() const {
  std::string text;
  for (const std::string& path : recent_) text += path + "\n";
  return text;
}

void FileBrowser::SetRecentText(const std::string& text) {
  recent_.clear();
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line) && recent_.size() < kMostRecent) {
    if (!line.empty()) recent_.push_back(line);
  }
}

}  // namespace tavrix::workbench
