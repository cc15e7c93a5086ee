// What File > Open and File > Save As show: the folders and SVG drawings of one folder, its
// parent, a name or path typed, and the files opened or saved lately. The choosing is here; the
// window draws it (WorkbenchMenus.cpp).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tavrix::workbench {

// The recent files, one path a line, kept with the preferences.
inline constexpr char kRecentFilesPreference[] = "TavrixWorkbench/recentFiles";

struct FileEntry {
  std::string name;
  bool folder = false;
};

class FileBrowser {
 public:
  static constexpr size_t kMostRecent = 8;

  // Opens at `start`: a folder, or a file whose folder is shown and whose name is typed.
  void Start(const std::string& start, bool save);

  bool save() const { return save_; }
  const std::filesystem::path& folder() const { return folder_; }
  // Folders first, then .svg files, each by name; names starting with a dot are left out.
  const std::vector<FileEntry>& entries() const { return entries_; }
  // The name or path being typed; relative to the folder shown.
  std::string& typed() { return typed_; }
  const std::string& error() const { return error_; }
  void SetError(const std::string& error) { error_ = error; }

  // Goes into a folder of the list, or up to the parent.
  void Enter(const std::string& folderName);
  void Up();
  // What the typed name means: a folder is gone into (nothing is chosen); anything else is the
  // file to open or save, as a path.
  std::optional<std::string> Choose();

  const std::vector<std::string>& recent() const { return recent_; }
  // The file goes to the front of the recent ones, which keep at most kMostRecent.
  void Remember(const std::string& path);
  // The recent files as kept with the preferences: one path a line.
  std::string RecentText() const;
  void SetRecentText(const std::string& text);

 private:
  void Show(const std::filesystem::path& folder);

  bool save_ = false;
  std::filesystem::path folder_;
  std::vector<FileEntry> entries_;
  std::string typed_;
  std::string error_;
  std::vector<std::string> recent_;
};

}  // namespace tavrix::workbench
