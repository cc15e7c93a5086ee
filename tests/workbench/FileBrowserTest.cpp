// File > Open and File > Save As: a folder's folders and drawings, its parent, a typed name or
// path, and the files used lately.
#include "workbench/FileBrowser.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/PluginBytes.h"

namespace tavrix::workbench {
namespace {

namespace fs = std::filesystem;

class Browsing : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(root / "zebra" / "inner");
    fs::create_directories(root / "alpha");
    fs::create_directories(root / ".hidden");
    for (const char* name : {"b.svg", "A.SVG", "notes.txt", ".secret.svg"})
      std::ofstream(root / name) << "x";
  }
  std::vector<std::string> Shown() const {
    std::vector<std::string> names;
    for (const FileEntry& entry : browser.entries())
      names.push_back(entry.folder ? entry.name + "/" : entry.name);
    return names;
  }

  fs::path root = tavrix::test::TempFolder() / "browse";
  FileBrowser browser;
};

TEST_F(Browsing, ShowsFoldersThenDrawingsAndGoesInAndUp) {
  browser.Start((root / "b.svg").string(), false);
  EXPECT_EQ(browser.folder(), root);
  EXPECT_EQ(browser.typed(), "b.svg") << "the drawing's own name, ready to open";
  EXPECT_EQ(Shown(), (std::vector<std::string>{"alpha/", "zebra/", "A.SVG", "b.svg"}));
  browser.Enter("zebra");
  EXPECT_EQ(Shown(), (std::vector<std::string>{"inner/"}));
  browser.Up();
  EXPECT_EQ(browser.folder(), root);
  browser.Enter("no-such-folder");
  EXPECT_NE(browser.error().find("cannot read the folder"), std::string::npos) << browser.error();
}

TEST_F(Browsing, ATypedFolderIsGoneIntoAndATypedNameIsTheFile) {
  browser.Start(root.string(), false);
  EXPECT_FALSE(browser.Choose().has_value());
  EXPECT_EQ(browser.error(), "choose a file, or type its name");
  browser.typed() = "zebra/inner";
  EXPECT_FALSE(browser.Choose().has_value());
  EXPECT_EQ(browser.folder(), root / "zebra" / "inner");
  browser.typed() = "../../b.svg";
  EXPECT_EQ(browser.Choose(), (root / "b.svg").string());
  browser.typed() = (root / "A.SVG").string();
  EXPECT_EQ(browser.Choose(), (root / "A.SVG").string()) << "a whole path as it is";

  browser.Start((root / "new").string(), true);
  EXPECT_EQ(browser.Choose(), (root / "new.svg").string()) << "saved under a bare name: SVG";
}

TEST_F(Browsing, RemembersTheLatestFilesFirstAndKeepsThemAsText) {
  for (int i = 0; i < 10; ++i) browser.Remember((root / (std::to_string(i) + ".svg")).string());
  browser.Remember((root / "3.svg").string());
  ASSERT_EQ(browser.recent().size(), FileBrowser::kMostRecent);
  EXPECT_EQ(browser.recent()[0], (root / "3.svg").string());
  EXPECT_EQ(browser.recent()[1], (root / "9.svg").string());
  FileBrowser again;
  again.SetRecentText(browser.RecentText());
  EXPECT_EQ(again.recent(), browser.recent());
}

}  // namespace
}  // namespace tavrix::workbench
