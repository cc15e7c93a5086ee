// What a save must never do: write into what is not a drawing file, take a file from its owner,
// split a file's links, or say it saved what would read back otherwise.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

#include "SvgTestSupport.h"

namespace tavrix::svg {
namespace {

using svgtest::AsRead;
using svgtest::ErrorOf;
using svgtest::FromText;
using svgtest::ReadText;
using svgtest::WriteText;

constexpr char kDrawing[] = "<svg><path d='M0 0 L1 1'/></svg>";

// The document read from `file`, its second anchor moved to (2, -2).
std::vector<EditedPath> Moved(const SvgDocument& document) {
  std::vector<EditedPath> current = AsRead(document);
  current[0].segments[1].p = current[0].segments[1].in = current[0].segments[1].out =
      RealPoint{2, -2};
  return current;
}

struct stat StatOf(const std::string& path) {
  struct stat info {};
  EXPECT_EQ(lstat(path.c_str(), &info), 0) << path;
  return info;
}

TEST(SafeSave, WhatIsNotARegularFileIsRefusedByNameAndStaysWhatItWas) {
  svgtest::TempFolder folder;
  const SvgDocument document = FromText(kDrawing);
  const std::string pipe = folder / "pipe.svg";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_EQ(ErrorOf([&] { document.Save(pipe, Moved(document)); }),
            pipe + ": not saved: it is a named pipe, not a regular file");
  EXPECT_TRUE(S_ISFIFO(StatOf(pipe).st_mode));

  const std::string socketName = folder / "socket.svg";
  const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  ASSERT_LT(socketName.size(), sizeof address.sun_path);
  std::strcpy(address.sun_path, socketName.c_str());
  ASSERT_EQ(bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  EXPECT_EQ(ErrorOf([&] { document.Save(socketName, Moved(document)); }),
            socketName + ": not saved: it is a socket, not a regular file");
  EXPECT_TRUE(S_ISSOCK(StatOf(socketName).st_mode));
  close(listener);

  EXPECT_EQ(ErrorOf([&] { document.Save("/dev/null", Moved(document)); }),
            "/dev/null: not saved: it is a device, not a regular file");
  EXPECT_TRUE(S_ISCHR(StatOf("/dev/null").st_mode));
  // Nothing was left beside them.
  EXPECT_EQ(folder.Names().size(), 2u);
}

TEST(SafeSave, AFileThatIsNotADrawingIsNeverWrittenOver) {
  svgtest::TempFolder folder;
  const SvgDocument document = FromText(kDrawing);
  for (const std::string& text : {std::string("shopping: bread, milk\n"),
                                  std::string("\x7f"
                                              "ELF\x02\x01\x01\0\0\0",
                                              10),
                                  std::string("<html><body>not a drawing</body></html>"),
                                  std::string("<svg><path d='M0 0'/>")}) {
    const std::string file = folder / "notes.txt";
    WriteText(file, text);
    EXPECT_EQ(ErrorOf([&] { document.Save(file, Moved(document)); }),
              file +
                  ": not saved: it is not an SVG drawing, and it is not written over (save "
                  "under another name)");
    EXPECT_EQ(ReadText(file), text);
  }
  // A drawing, with a prefix or not, and an empty file hold nothing that would be lost.
  for (const std::string& text :
       {std::string(""), std::string("<svg:svg xmlns:svg='http://www.w3.org/2000/svg'/>")}) {
    const std::string file = folder / "old.svg";
    WriteText(file, text);
    EXPECT_EQ(ErrorOf([&] { document.Save(file, Moved(document)); }), "") << text;
    EXPECT_EQ(ReadText(file), "<svg><path d='M0 0 L2 2'/></svg>");
  }
}

TEST(SafeSave, AReadOnlyFileIsRefusedThoughItsFolderWouldAllowTheRename) {
  svgtest::TempFolder folder;
  const std::string file = folder / "drawing.svg";
  WriteText(file, kDrawing);
  ASSERT_EQ(chmod(file.c_str(), 0444), 0);
  const SvgDocument document = SvgDocument::Open(file);
  EXPECT_EQ(ErrorOf([&] { document.Save(file, Moved(document)); }),
            file + ": not saved: it is read-only");
  EXPECT_EQ(ReadText(file), kDrawing);
  EXPECT_EQ(StatOf(file).st_mode & 0777, 0444u);
}

TEST(SafeSave, TheReplacedFileKeepsItsOwnerAndGroup) {
  if (geteuid() != 0) GTEST_SKIP() << "only root can give a file to another owner";
  svgtest::TempFolder folder;
  const std::string file = folder / "drawing.svg";
  WriteText(file, kDrawing);
  ASSERT_EQ(chown(file.c_str(), 4321, 8765), 0);
  const SvgDocument document = SvgDocument::Open(file);
  document.Save(file, Moved(document));
  EXPECT_EQ(ReadText(file), "<svg><path d='M0 0 L2 2'/></svg>");
  EXPECT_EQ(StatOf(file).st_uid, 4321u);
  EXPECT_EQ(StatOf(file).st_gid, 8765u);
}

TEST(SafeSave, LinksAreWrittenThroughAndNeverSplit) {
  svgtest::TempFolder folder;
  const SvgDocument document = FromText(kDrawing);
  // A symbolic link to a file not made yet: the file is made, the link stays a link.
  const std::string linkName = folder / "link.svg";
  const std::string target = folder / "later.svg";
  ASSERT_EQ(symlink("later.svg", linkName.c_str()), 0);
  document.Save(linkName, Moved(document));
  EXPECT_TRUE(S_ISLNK(StatOf(linkName).st_mode));
  EXPECT_EQ(ReadText(target), "<svg><path d='M0 0 L2 2'/></svg>");

  // Two names of one file: both see the new drawing, still one file.
  const std::string first = folder / "first.svg";
  const std::string second = folder / "second.svg";
  WriteText(first, kDrawing);
  ASSERT_EQ(::link(first.c_str(), second.c_str()), 0);
  const SvgDocument opened = SvgDocument::Open(second);
  opened.Save(second, Moved(opened));
  EXPECT_EQ(ReadText(first), "<svg><path d='M0 0 L2 2'/></svg>");
  EXPECT_EQ(StatOf(first).st_ino, StatOf(second).st_ino);
  EXPECT_EQ(StatOf(first).st_nlink, 2u);
  EXPECT_EQ(folder.Names().size(), 4u) << "no temporary file is left";
}

TEST(SafeSave, ANameAsLongAsTheSystemAllowsSaves) {
  svgtest::TempFolder folder;
  const std::string file = folder / (std::string(250, 'n') + ".svg");
  const SvgDocument document = FromText(kDrawing);
  EXPECT_EQ(ErrorOf([&] { document.Save(file, Moved(document)); }), "");
  EXPECT_EQ(ReadText(file), "<svg><path d='M0 0 L2 2'/></svg>");
}

TEST(SafeSave, APointANearlySingularTransformCannotCarryBackRefusesTheSave) {
  // The element's own axes are almost the same line: no pair of numbers lands on most points.
  const SvgDocument document = FromText(
      "<svg><path id='thin' transform='matrix(1 1 1 1.0000000000001 0 0)' d='M0 0 L1 1'/></svg>");
  std::vector<EditedPath> current = AsRead(document);
  current[0].segments[1].p = current[0].segments[1].in = current[0].segments[1].out =
      RealPoint{1000.25f, -3.5f};
  const std::string message = ErrorOf([&] { document.SavedText(current); });
  EXPECT_EQ(
      message.rfind("test.svg:1:6: <path id=\"thin\">: its transform is too nearly singular", 0),
      0u)
      << message;
}

}  // namespace
}  // namespace tavrix::svg
