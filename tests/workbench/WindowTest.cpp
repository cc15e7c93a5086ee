// The workbench's window on an X server of the test's own, driven through SDL's event queue as
// a person's mouse and keyboard would drive it, and checked in the document and at probe pixels
// of a screenshot.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "pictures/PictureProbes.h"
#include "support/PluginBytes.h"
#include "workbench/SessionCommands.h"
#include "workbench/Workbench.h"
#include "workbench/XvfbServer.h"

namespace tavrix::workbench {
namespace {

using pictures::Image;
using pictures::test::IsCurrentPointOrange;
using pictures::test::IsDark;
using pictures::test::IsSelectionBlue;
using pictures::test::IsWhite;

// The curve of the controller tests, nothing selected yet.
constexpr char kStart[] =
    "document pt\n"
    "path 100 -100 ; 300 -300 in 250 -300 out 350 -300 ; 500 -100\n"
    "menu\n"
    "window move 1040 20\n";

class WorkbenchWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    test::XvfbServer& x = test::SharedXvfb();
    if (!x.running() && test::SkipWithoutXServer())
      GTEST_SKIP() << "no X server could be started: " << x.error();
    ASSERT_TRUE(x.running()) << "no X server could be started: " << x.error()
                             << " (TAVRIX_SKIP_WINDOW_TESTS=1 skips the window's tests)";
    setenv("DISPLAY", x.display().c_str(), 1);
    setenv("SDL_VIDEODRIVER", "x11", 1);
    unsetenv("WAYLAND_DISPLAY");
    workbench =
        std::make_unique<Workbench>(WorkbenchOptions{tavrix::test::PluginPath(), "", ""}, log);
    std::istringstream script(kStart);
    ASSERT_EQ(workbench->Play(script, "start.tavrix"), 0) << log.str();
    workbench->Frame();
  }

  static void Push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError(); }

  void Click(int x, int y, Uint8 button = SDL_BUTTON_LEFT) {
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.x = x;
    motion.motion.y = y;
    Push(motion);
    SDL_Event press{};
    press.type = SDL_MOUSEBUTTONDOWN;
    press.button.button = button;
    press.button.state = SDL_PRESSED;
    press.button.clicks = 1;
    press.button.x = x;
    press.button.y = y;
    Push(press);
    SDL_Event release = press;
    release.type = SDL_MOUSEBUTTONUP;
    release.button.state = SDL_RELEASED;
    Push(release);
    workbench->Frame();
  }
  void Mouse(Uint32 type, int x, int y) {
    SDL_Event event{};
    event.type = type;
    if (type == SDL_MOUSEMOTION) {
      event.motion.x = x;
      event.motion.y = y;
      event.motion.state = SDL_BUTTON_LMASK;
    } else {
      event.button.button = SDL_BUTTON_LEFT;
      event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
      event.button.clicks = 1;
      event.button.x = x;
      event.button.y = y;
    }
    Push(event);
    workbench->Frame();
  }
  // A drag with the left button, in steps, as a hand moves.
  void Drag(int x0, int y0, int x1, int y1) {
    Mouse(SDL_MOUSEMOTION, x0, y0);
    Mouse(SDL_MOUSEBUTTONDOWN, x0, y0);
    for (int step = 1; step <= 4; ++step)
      Mouse(SDL_MOUSEMOTION, x0 + (x1 - x0) * step / 4, y0 + (y1 - y0) * step / 4);
    Mouse(SDL_MOUSEBUTTONUP, x1, y1);
  }
  std::string FieldText(int32_t id) {
    host::HostDialog* palette = workbench->session().FindPalette();
    return workbench->session().host().dialogs().ItemWithId(*palette, id)->text;
  }
  void OpenDrawing(const std::string& name, const std::string& text) {
    const std::string file = (tavrix::test::TempFolder() / name).string();
    std::ofstream(file) << text;
    workbench.reset();
    workbench =
        std::make_unique<Workbench>(WorkbenchOptions{tavrix::test::PluginPath(), "", file}, log);
    std::istringstream script("menu\nwindow move 1040 20\n");
    ASSERT_EQ(workbench->Play(script, "open.tavrix"), 0) << log.str();
    workbench->Frame();
  }
  void ClickItem(int32_t id, double fy = 0.5) {
    const std::optional<SDL_Rect> r = workbench->ItemOnScreen(id);
    ASSERT_TRUE(r.has_value()) << "item " << id << " is not shown";
    Click(r->x + r->w / 2, r->y + static_cast<int>(r->h * fy));
  }
  // A key going down and up with those modifiers held, as SDL reports them.
  void Key(SDL_Keycode key, Uint16 modifiers = KMOD_NONE) {
    SDL_Event down{};
    down.type = SDL_KEYDOWN;
    down.key.state = SDL_PRESSED;
    down.key.keysym.sym = key;
    down.key.keysym.scancode = SDL_GetScancodeFromKey(key);
    down.key.keysym.mod = modifiers;
    Push(down);
    SDL_Event up = down;
    up.type = SDL_KEYUP;
    up.key.state = SDL_RELEASED;
    if (key == SDLK_LSHIFT) up.key.keysym.mod = KMOD_NONE;
    if (key != SDLK_LSHIFT) Push(up);
    if (key != SDLK_LSHIFT && modifiers != KMOD_NONE) {
      // The modifiers are let go of too, as a person's fingers leave the keys.
      SDL_Event released = up;
      released.key.keysym.sym = SDLK_LCTRL;
      released.key.keysym.scancode = SDL_SCANCODE_LCTRL;
      released.key.keysym.mod = KMOD_NONE;
      Push(released);
    }
    workbench->Frame();
  }
  // A key held for a frame: Dear ImGui reads whether a key is down once a frame.
  void KeyForImGui(SDL_Keycode key) {
    SDL_Event down{};
    down.type = SDL_KEYDOWN;
    down.key.state = SDL_PRESSED;
    down.key.keysym.sym = key;
    down.key.keysym.scancode = SDL_GetScancodeFromKey(key);
    Push(down);
    workbench->Frame();
    SDL_Event up = down;
    up.type = SDL_KEYUP;
    up.key.state = SDL_RELEASED;
    Push(up);
    workbench->Frame();
  }
  void ReleaseShift() {
    SDL_Event up{};
    up.type = SDL_KEYUP;
    up.key.state = SDL_RELEASED;
    up.key.keysym.sym = SDLK_LSHIFT;
    up.key.keysym.scancode = SDL_SCANCODE_LSHIFT;
    Push(up);
    workbench->Frame();
  }
  void Type(const std::string& text) {
    // SDL carries at most 31 bytes of text an event.
    for (size_t at = 0; at < text.size(); at += 31) {
      SDL_Event typed{};
      typed.type = SDL_TEXTINPUT;
      const std::string piece = text.substr(at, 31);
      std::strncpy(typed.text.text, piece.c_str(), sizeof typed.text.text - 1);
      Push(typed);
    }
    workbench->Frame();
  }
  RealPoint AnchorAt(size_t path, size_t anchor) {
    return workbench->session().host().document()->paths().at(path).segments.at(anchor).p;
  }
  Image Screenshot() {
    const std::string file = (tavrix::test::TempFolder() / "window.png").string();
    workbench->Screenshot(file);
    return Image::ReadPng(file);
  }
  // Whether any pixel of the square of `radius` around (x, y) is so.
  template <class Test>
  static bool AnyNear(const Image& image, int x, int y, int radius, Test test) {
    for (int dy = -radius; dy <= radius; ++dy)
      for (int dx = -radius; dx <= radius; ++dx)
        if (test(image.At(x + dx, y + dy))) return true;
    return false;
  }

  std::ostringstream log;
  std::unique_ptr<Workbench> workbench;
};

TEST_F(WorkbenchWindow, AClickATypedValueAndAnArrowWithShiftEditTheAnchor) {
  const std::optional<SDL_Point> anchor = workbench->AnchorOnScreen(0, 1);
  ASSERT_TRUE(anchor.has_value());
  Click(anchor->x, anchor->y);
  const host::DocumentPath& path = workbench->session().host().document()->paths()[0];
  EXPECT_EQ(path.selection[1], kAIAnchorSelected) << log.str();

  ClickItem(6);  // pointXField
  Type("1");
  Type("10");
  Key(SDLK_RETURN);
  EXPECT_FLOAT_EQ(AnchorAt(0, 1).h, 110) << log.str();
  EXPECT_EQ(workbench->status(), "X: 110.000 pt") << "the status line says what was done";

  Key(SDLK_LSHIFT, KMOD_LSHIFT);
  ClickItem(7, 0.25);  // the upper arrow of pointYSpin
  ReleaseShift();
  EXPECT_EQ(workbench->status(), "Y: -290.000 pt") << "in words, never a session command";
  EXPECT_FLOAT_EQ(AnchorAt(0, 1).v, -290) << "ten keyboard increments up";
  EXPECT_FLOAT_EQ(path.segments[1].out.h, 160) << "the handles move with their anchor";
  EXPECT_FLOAT_EQ(path.segments[1].out.v, -290);

  workbench->Frame();
  const Image shot = Screenshot();
  EXPECT_EQ(shot.width(), kFirstWindow.width);
  EXPECT_EQ(shot.height(), kFirstWindow.height);
  // The current point ringed in orange where the anchor is now, nothing left where it was.
  const std::optional<SDL_Point> moved = workbench->AnchorOnScreen(0, 1);
  ASSERT_TRUE(moved.has_value());
  EXPECT_EQ(moved->x, kFirstCanvas.left + 110);
  EXPECT_EQ(moved->y, kFirstCanvas.top + 290);
  EXPECT_TRUE(AnyNear(shot, moved->x, moved->y, 8, IsCurrentPointOrange));
  EXPECT_TRUE(IsSelectionBlue(shot.At(moved->x, moved->y))) << "the selected anchor, filled";
  EXPECT_FALSE(AnyNear(shot, anchor->x, anchor->y, 8, IsCurrentPointOrange));
  // The palette's field shows the new X in dark text on white.
  const std::optional<SDL_Rect> field = workbench->ItemOnScreen(6);
  ASSERT_TRUE(field.has_value());
  EXPECT_TRUE(IsWhite(shot.At(field->x + field->w - 4, field->y + field->h / 2)));
  EXPECT_TRUE(AnyNear(shot, field->x + 14, field->y + field->h / 2, 5, IsDark));
  EXPECT_EQ(workbench->session()
                .host()
                .dialogs()
                .ItemWithId(*workbench->session().FindPalette(), 6)
                ->text,
            "110.000 pt");
  // The document window is white, the desktop beside it grey.
  EXPECT_TRUE(IsWhite(shot.At(900, 700)));
  EXPECT_FALSE(IsWhite(shot.At(kFirstCanvas.width + 20, 700)));
}

// What a person comes for: open a drawing, click a point, type its new place, save.
TEST_F(WorkbenchWindow, ADrawingIsOpenedEditedInThePaletteAndSavedWithCtrlS) {
  const std::string file = (tavrix::test::TempFolder() / "window-save.svg").string();
  OpenDrawing("window-save.svg",
              "<svg xmlns='http://www.w3.org/2000/svg'>\n"
              "  <path id='line' d='M10 20 L30 40' stroke='black'/>\n"
              "</svg>\n");

  const std::optional<SDL_Point> anchor = workbench->AnchorOnScreen(0, 1);
  ASSERT_TRUE(anchor.has_value());
  Click(anchor->x, anchor->y);
  ClickItem(6);  // pointXField
  Type("50");
  Key(SDLK_RETURN);
  ASSERT_FLOAT_EQ(AnchorAt(0, 1).h, 50) << log.str();
  Key(SDLK_s, KMOD_LCTRL);
  EXPECT_FALSE(workbench->statusIsError()) << workbench->status();

  const auto saved = [&file] {
    std::ifstream in(file);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  };
  EXPECT_EQ(saved(),
            "<svg xmlns='http://www.w3.org/2000/svg'>\n"
            "  <path id='line' d='M10 20 L50 40' stroke='black'/>\n"  // the file's own spaces
            "</svg>\n");

  // A value typed and not yet committed is saved too.
  Key(SDLK_a, KMOD_LCTRL);  // the field still has the keyboard: all of its text
  Type("60");
  Key(SDLK_s, KMOD_LCTRL);
  EXPECT_NE(saved().find("d='M10 20 L60 40'"), std::string::npos) << saved();

  // Quitting with a change not saved asks; Enter saves, then quits.
  Key(SDLK_a, KMOD_LCTRL);
  Type("70");
  Key(SDLK_q, KMOD_LCTRL);
  EXPECT_TRUE(workbench->askingAboutUnsavedChanges());
  EXPECT_FALSE(workbench->quitting());
  Key(SDLK_RETURN);
  EXPECT_TRUE(workbench->quitting());
  EXPECT_NE(saved().find("d='M10 20 L70 40'"), std::string::npos) << saved();
}

TEST_F(WorkbenchWindow, AMouseDragMovesTheAnchorThePaletteFollowsAndCtrlZGivesItBack) {
  const std::optional<SDL_Point> anchor = workbench->AnchorOnScreen(0, 1);
  ASSERT_TRUE(anchor.has_value());
  Click(anchor->x, anchor->y);
  const std::vector<host::DocumentPath> before = workbench->session().host().document()->paths();
  EXPECT_EQ(FieldText(6), "300.000 pt");
  Drag(anchor->x, anchor->y, anchor->x + 40, anchor->y - 20);
  EXPECT_FLOAT_EQ(AnchorAt(0, 1).h, 340) << log.str();
  EXPECT_FLOAT_EQ(AnchorAt(0, 1).v, -280);
  EXPECT_EQ(FieldText(6), "340.000 pt") << "the palette's X shows the new place";
  EXPECT_EQ(FieldText(5), "-280.000 pt") << "and its Y";
  EXPECT_EQ(workbench->status(),
            "Moved anchor 1 of path 0 to 340 pt, \xE2\x88\x92"
            "280 pt");
  EXPECT_EQ(workbench->session().host().UndoText(), "Undo Move");

  Key(SDLK_z, KMOD_LCTRL);
  const std::vector<host::DocumentPath>& after = workbench->session().host().document()->paths();
  ASSERT_EQ(after.size(), before.size());
  for (size_t a = 0; a < before[0].segments.size(); ++a)
    EXPECT_EQ(std::memcmp(&before[0].segments[a], &after[0].segments[a], sizeof(PathSegment)), 0)
        << "anchor " << a << " exactly as it was";
  EXPECT_EQ(FieldText(6), "300.000 pt");
  EXPECT_FALSE(workbench->session().host().UndoText() == "Undo Move") << "one step only";

  // The arrow keys, with the palette's fields not taking them.
  Key(SDLK_RIGHT);
  EXPECT_FLOAT_EQ(AnchorAt(0, 1).h, 301);
  Key(SDLK_UP, KMOD_LSHIFT);
  EXPECT_FLOAT_EQ(AnchorAt(0, 1).v, -290);
}

TEST_F(WorkbenchWindow, FillsShowInTheirColoursAndAClickInsideOneSelectsIt) {
  OpenDrawing("red.svg",
              "<svg xmlns='http://www.w3.org/2000/svg' width='200' height='100'>\n"
              "  <rect x='50' y='25' width='100' height='50' fill='#ff0000'/>\n"
              "</svg>\n");
  // Opening fits the drawing: the rectangle's middle, (100, -50), is in the window.
  const AIPoint middle = workbench->session().host().view().ArtworkToView(RealPoint{100, -50});
  const AIPoint corner = workbench->session().host().view().ArtworkToView(RealPoint{50, -25});
  const Image shot = Screenshot();
  const auto red = [](const pictures::Rgb& c) { return c.r > 220 && c.g < 40 && c.b < 40; };
  EXPECT_TRUE(red(shot.At(kFirstCanvas.left + middle.h + 0.5, kFirstCanvas.top + middle.v + 0.5)))
      << shot.At(kFirstCanvas.left + middle.h, kFirstCanvas.top + middle.v);
  EXPECT_TRUE(IsWhite(shot.At(kFirstCanvas.left + corner.h - 3, kFirstCanvas.top + corner.v - 3)));
  EXPECT_TRUE(red(shot.At(kFirstCanvas.left + corner.h + 3, kFirstCanvas.top + corner.v + 3)));

  Click(kFirstCanvas.left + middle.h, kFirstCanvas.top + middle.v);
  EXPECT_TRUE(workbench->session().host().document()->paths()[0].IsSelected()) << log.str();
  EXPECT_EQ(workbench->status(), "Selected path 0");
}

TEST_F(WorkbenchWindow, DuringADragTheShapeOverTheDraggedOneStillCoversIt) {
  OpenDrawing("stack.svg",
              "<svg xmlns='http://www.w3.org/2000/svg' width='200' height='100'>\n"
              "  <path d='M 20 20 L 120 20 L 120 80 L 20 80 Z' fill='#0000ff'/>\n"
              "  <rect x='80' y='10' width='60' height='60' fill='#ff0000'/>\n"
              "</svg>\n");
  const std::optional<SDL_Point> corner = workbench->AnchorOnScreen(0, 0);
  ASSERT_TRUE(corner.has_value());
  Click(corner->x, corner->y);
  Mouse(SDL_MOUSEMOTION, corner->x, corner->y);
  Mouse(SDL_MOUSEBUTTONDOWN, corner->x, corner->y);
  for (int step = 1; step <= 3; ++step)
    Mouse(SDL_MOUSEMOTION, corner->x - 6 * step, corner->y - 6 * step);
  const Image shot = Screenshot();
  const auto at = [&](double h, double v) {
    const AIPoint p = workbench->session().host().view().ArtworkToView(
        RealPoint{static_cast<float>(h), static_cast<float>(v)});
    return shot.At(kFirstCanvas.left + p.h + 0.5, kFirstCanvas.top + p.v + 0.5);
  };
  const auto red = [](const pictures::Rgb& c) { return c.r > 220 && c.g < 40 && c.b < 40; };
  const auto blue = [](const pictures::Rgb& c) { return c.b > 220 && c.r < 40 && c.g < 40; };
  EXPECT_TRUE(red(at(100, -40))) << "the square over it covers the dragged path: " << at(100, -40);
  EXPECT_TRUE(blue(at(50, -60))) << at(50, -60);
  const RealPoint moved = AnchorAt(0, 0);
  EXPECT_LT(moved.h, 20) << "the corner follows the mouse";
  EXPECT_TRUE(blue(at(moved.h + 4, moved.v - 6))) << "and is drawn where it is now";
  Mouse(SDL_MOUSEBUTTONUP, corner->x - 18, corner->y - 18);
}

TEST_F(WorkbenchWindow, AnOpenMenuFollowsTheMouseAlongTheBarAndEscapeClosesIt) {
  const std::optional<SDL_Rect> file = workbench->MenuHeader("File");
  const std::optional<SDL_Rect> edit = workbench->MenuHeader("Edit");
  ASSERT_TRUE(file && edit);
  // Dear ImGui reads where the X server's pointer is: it is put there, as a hand would.
  SDL_Window* window = SDL_GetWindowFromID(1);
  ASSERT_NE(window, nullptr) << SDL_GetError();
  int globalX = 0, globalY = 0;
  SDL_GetGlobalMouseState(&globalX, &globalY);
  SDL_WarpMouseInWindow(window, file->x + file->w / 2, file->y + file->h / 2);
  Click(file->x + file->w / 2, file->y + file->h / 2);
  workbench->Frame();
  EXPECT_EQ(workbench->openMenu(), "File");
  SDL_WarpMouseInWindow(window, edit->x + edit->w / 2, edit->y + edit->h / 2);
  Mouse(SDL_MOUSEMOTION, edit->x + edit->w / 2, edit->y + edit->h / 2);
  workbench->Frame();
  workbench->Frame();
  EXPECT_EQ(workbench->openMenu(), "Edit") << "hovering the next menu opens it";
  Key(SDLK_ESCAPE);
  workbench->Frame();
  EXPECT_EQ(workbench->openMenu(), "");
  SDL_WarpMouseGlobal(globalX, globalY);  // out of the other tests' way
  workbench->Frame();
}

TEST_F(WorkbenchWindow, TheFileBrowserGoesIntoAFolderAndOpensADrawing) {
  const std::filesystem::path folder = tavrix::test::TempFolder() / "browsed";
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "boat.svg") << "<svg xmlns='http://www.w3.org/2000/svg'>\n"
                                        "  <path d='M10 20 L30 40 L50 20'/>\n"
                                        "</svg>\n";
  Key(SDLK_o, KMOD_LCTRL);
  ASSERT_TRUE(workbench->askingAboutUnsavedChanges()) << "the start script's path is not saved";
  Key(SDLK_d, KMOD_LCTRL);
  for (int i = 0; i < 3; ++i) workbench->Frame();  // the dialog opens, its name field focused
  // The typed folder is gone into, then the drawing's name opens it.
  Type(folder.string());
  KeyForImGui(SDLK_RETURN);
  for (int i = 0; i < 3; ++i) workbench->Frame();
  Type("boat.svg");
  KeyForImGui(SDLK_RETURN);
  EXPECT_EQ(workbench->session().DrawingFileName(), (folder / "boat.svg").string()) << log.str();
  ASSERT_EQ(workbench->session().host().document()->paths().size(), 1u);
  EXPECT_FLOAT_EQ(AnchorAt(0, 2).h, 50);
}

TEST_F(WorkbenchWindow, LeavingUnsavedChangesAsksAndEscapeStays) {
  // The start script drew a path that was never saved.
  Key(SDLK_q, KMOD_LCTRL);
  EXPECT_TRUE(workbench->askingAboutUnsavedChanges());
  EXPECT_FALSE(workbench->quitting());
  Key(SDLK_ESCAPE);
  EXPECT_FALSE(workbench->askingAboutUnsavedChanges());
  EXPECT_FALSE(workbench->quitting());

  // Ctrl+N asks too; Ctrl+D drops the changes and makes the new drawing.
  Key(SDLK_n, KMOD_LCTRL);
  EXPECT_TRUE(workbench->askingAboutUnsavedChanges());
  Key(SDLK_d, KMOD_LCTRL);
  EXPECT_FALSE(workbench->askingAboutUnsavedChanges());
  ASSERT_NE(workbench->session().host().document(), nullptr);
  EXPECT_TRUE(workbench->session().host().document()->paths().empty());

  // Nothing to lose: closing the window quits at once.
  SDL_Event close{};
  close.type = SDL_QUIT;
  Push(close);
  workbench->Frame();
  EXPECT_TRUE(workbench->quitting());
}

TEST_F(WorkbenchWindow, CtrlZUndoesAndCtrlShiftZOrCtrlYRedoes) {
  const std::optional<SDL_Point> anchor = workbench->AnchorOnScreen(0, 1);
  ASSERT_TRUE(anchor.has_value());
  Click(anchor->x, anchor->y);
  ClickItem(7, 0.25);
  EXPECT_FLOAT_EQ(AnchorAt(0, 1).v, -299);
  Key(SDLK_z, KMOD_LCTRL);
  EXPECT_FLOAT_EQ(AnchorAt(0, 1).v, -300);
  Key(SDLK_z, KMOD_LCTRL | KMOD_LSHIFT);
  EXPECT_FLOAT_EQ(AnchorAt(0, 1).v, -299);
  Key(SDLK_z, KMOD_LCTRL);
  Key(SDLK_y, KMOD_RCTRL);
  EXPECT_FLOAT_EQ(AnchorAt(0, 1).v, -299);
  Key(SDLK_y, KMOD_RCTRL);
  EXPECT_TRUE(workbench->statusIsError());
  EXPECT_EQ(workbench->status(), "there is nothing to redo: Edit > Redo is disabled");
}

TEST_F(WorkbenchWindow, TheWheelZoomsAndADragScrolls) {
  const std::optional<SDL_Point> anchor = workbench->AnchorOnScreen(0, 1);
  ASSERT_TRUE(anchor.has_value());
  SDL_Event motion{};
  motion.type = SDL_MOUSEMOTION;
  motion.motion.x = anchor->x;
  motion.motion.y = anchor->y;
  Push(motion);
  SDL_Event wheel{};
  wheel.type = SDL_MOUSEWHEEL;
  wheel.wheel.y = 1;
  wheel.wheel.preciseY = 1;
  wheel.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
  Push(wheel);
  workbench->Frame();
  EXPECT_DOUBLE_EQ(workbench->session().host().view().zoom(), 1.25);
  const std::optional<SDL_Point> same = workbench->AnchorOnScreen(0, 1);
  ASSERT_TRUE(same.has_value());
  EXPECT_EQ(same->x, anchor->x) << "the point under the mouse stays there";
  EXPECT_EQ(same->y, anchor->y);

  SDL_Event press{};
  press.type = SDL_MOUSEBUTTONDOWN;
  press.button.button = SDL_BUTTON_MIDDLE;
  press.button.x = 700;
  press.button.y = 500;
  Push(press);
  motion.motion.x = 650;
  motion.motion.y = 540;
  Push(motion);
  SDL_Event release = press;
  release.type = SDL_MOUSEBUTTONUP;
  release.button.x = 650;
  release.button.y = 540;
  Push(release);
  workbench->Frame();
  const std::optional<SDL_Point> dragged = workbench->AnchorOnScreen(0, 1);
  ASSERT_TRUE(dragged.has_value());
  EXPECT_EQ(dragged->x, anchor->x - 50);
  EXPECT_EQ(dragged->y, anchor->y + 40);
}

TEST_F(WorkbenchWindow, TheFlyoutMenuOpensFromItsButtonAndIsDrawnOpen) {
  const std::optional<SDL_Rect> field = workbench->ItemOnScreen(6);
  ASSERT_TRUE(field.has_value());
  const host::HostDialog& palette = *workbench->session().FindPalette();
  // The flyout button sits at the title bar's right end.
  const int frameLeft = kScreenLeft + palette.bounds.left;
  const int frameTop = kScreenTop + palette.bounds.top;
  const int frameRight = frameLeft + (palette.bounds.right - palette.bounds.left) + 2;
  Click(frameRight - 12, frameTop + 9);
  const Image open = Screenshot();
  // The menu drops below the title bar, its face nearly white over the palette's grey.
  EXPECT_GT(open.At(frameRight - 40, frameTop + 60).r, 245);
  Click(100, 700);  // away from the menu: it closes, and the click does nothing else
  const Image closed = Screenshot();
  EXPECT_LT(closed.At(frameRight - 40, frameTop + 60).r, 235) << "the palette's grey again";
  EXPECT_TRUE(workbench->session().host().document()->paths()[0].segments.size() == 3u);
}

// A person makes the window smaller: the document window takes what room there is, the
// drawing's middle stays in the middle, and the next start opens the window at that size.
TEST_F(WorkbenchWindow, AResizedWindowIsDrawnAtItsSizeAndOpensAtItTheNextTime) {
  const std::string preferences = (tavrix::test::TempFolder() / "window-size.json").string();
  std::filesystem::remove(preferences);
  workbench.reset();
  workbench = std::make_unique<Workbench>(
      WorkbenchOptions{tavrix::test::PluginPath(), preferences, ""}, log);
  std::istringstream script(kStart);
  ASSERT_EQ(workbench->Play(script, "start.tavrix"), 0) << log.str();
  const host::DocumentView& view = workbench->session().host().view();
  const double middleH = view.origin().h + view.width() / 2.0 / view.zoom();

  SDL_SetWindowSize(workbench->window(), 1100, 640);
  for (int i = 0; i < 50 && view.width() != 1100 - kDesktopWidth; ++i) {
    SDL_Delay(10);
    workbench->Frame();
  }
  ASSERT_EQ(view.width(), 1100 - kDesktopWidth);
  ASSERT_EQ(view.height(), 640 - kMenuBarHeight - kStatusBarHeight);
  EXPECT_NEAR(view.origin().h + view.width() / 2.0 / view.zoom(), middleH, 1e-3);
  workbench->Frame();
  const Image shot = Screenshot();
  EXPECT_EQ(shot.width(), 1100);
  EXPECT_EQ(shot.height(), 640);
  // The document window ends where the view does, the desktop beside it; the anchors show
  // where the view puts them.
  EXPECT_TRUE(IsWhite(shot.At(view.width() - 2, 300)));
  EXPECT_FALSE(IsWhite(shot.At(view.width() + 2, 300)));
  const std::optional<SDL_Point> anchor = workbench->AnchorOnScreen(0, 1);
  ASSERT_TRUE(anchor.has_value());
  EXPECT_EQ(anchor->x, 300 - (512 - view.width() / 2));
  EXPECT_TRUE(IsSelectionBlue(shot.At(anchor->x, anchor->y)) ||
              IsDark(shot.At(anchor->x, anchor->y)))
      << shot.At(anchor->x, anchor->y);

  ASSERT_TRUE(workbench->Finish());
  workbench.reset();
  workbench = std::make_unique<Workbench>(
      WorkbenchOptions{tavrix::test::PluginPath(), preferences, ""}, log);
  workbench->Frame();
  const Image again = Screenshot();
  EXPECT_EQ(again.width(), 1100);
  EXPECT_EQ(again.height(), 640);

  // A size no window can have, written into the file by hand, gives the smallest window.
  ASSERT_TRUE(workbench->Finish());
  workbench.reset();
  std::string kept;
  {
    std::ifstream in(preferences);
    kept.assign(std::istreambuf_iterator<char>(in), {});
  }
  // The point's two numbers, between the brackets after the key.
  const size_t key = kept.find("\"TavrixWorkbench/windowSize\"");
  ASSERT_NE(key, std::string::npos) << kept;
  const size_t open = kept.find('[', key);
  const size_t close = kept.find(']', open);
  ASSERT_NE(close, std::string::npos) << kept;
  kept.replace(open + 1, close - open - 1, "-2147483648, 5");
  std::ofstream(preferences) << kept;
  workbench = std::make_unique<Workbench>(
      WorkbenchOptions{tavrix::test::PluginPath(), preferences, ""}, log);
  workbench->Frame();
  const Image smallest = Screenshot();
  EXPECT_EQ(smallest.width(), kSmallestWindow.width);
  EXPECT_EQ(smallest.height(), kSmallestWindow.height);
}

}  // namespace
}  // namespace tavrix::workbench
