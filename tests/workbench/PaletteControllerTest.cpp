// A person at the palette with mouse and keyboard, without a window: every gesture must become
// the session command that does the same, and the palette must show its result.
#include "workbench/PaletteController.h"

#include <gtest/gtest.h>

#include "session/PaletteItemNames.h"
#include "workbench/SessionCommands.h"

namespace tavrix::workbench {
namespace {

using test::kStartScript;

struct Spot {
  int x;
  int y;
};

class PaletteControl : public ::testing::Test {
 protected:
  // The window point at the fractions (fx, fy) of the item's box.
  Spot On(const std::string& name, double fx = 0.5, double fy = 0.5) {
    const std::optional<PalettePlacement> place = palette.Placement();
    if (!place) throw std::runtime_error("the palette is not shown");
    host::HostItem& item = Item(name);
    const ADMRect& b = item.bounds;
    return Spot{place->left + place->geometry.client.left + b.left +
                    static_cast<int>((b.right - b.left) * fx),
                place->top + place->geometry.client.top + b.top +
                    static_cast<int>((b.bottom - b.top) * fy)};
  }
  host::HostItem& Item(const std::string& name) {
    host::HostItem* item = commands.session.host().dialogs().ItemWithId(
        *commands.session.FindPalette(), *app::PaletteItemId(name));
    if (item == nullptr) throw std::runtime_error("no item " + name);
    return *item;
  }
  bool Click(Spot at, Modifiers modifiers = {}, uint32_t held = 0) {
    const bool taken = palette.MouseDown(at.x, at.y, modifiers, 1000);
    palette.MouseUp(at.x, at.y, 1000 + held);
    return taken;
  }
  Spot Outside() { return Spot{200, 600}; }

  test::SessionCommands commands{kStartScript};
  PaletteController palette{commands.session, commands};
};

TEST_F(PaletteControl, TypingIntoAFieldAndEnterCommitsTheTextAsTyped) {
  EXPECT_TRUE(Click(On("pointXField")));
  ASSERT_NE(palette.FocusedField(), nullptr);
  EXPECT_EQ(palette.FocusedField()->id, 6);
  EXPECT_TRUE(palette.editor().allSelected()) << "typing replaces the value";
  palette.TextInput("100 ");
  palette.TextInput("+ 10");
  EXPECT_TRUE(commands.performed.empty()) << "nothing reaches the palette before Enter";
  palette.KeyDown(Key::Enter, {});
  EXPECT_EQ(commands.Last(), "type 6 100 + 10");
  EXPECT_FLOAT_EQ(commands.AnchorAt(0, 1).h, 110);
  EXPECT_EQ(palette.editor().text(), "110.000 pt") << "the field shows what it took";
  EXPECT_TRUE(palette.editor().allSelected());
  ASSERT_NE(palette.FocusedField(), nullptr) << "Enter keeps the focus for the next value";
}

TEST_F(PaletteControl, LeavingAFieldCommitsOnlyWhatWasTypedAndEscapeNothing) {
  Click(On("pointXField"));
  EXPECT_FALSE(Click(Outside())) << "a click off the palette is the document window's";
  EXPECT_TRUE(commands.performed.empty()) << "a field left untouched makes no undo step";
  EXPECT_EQ(palette.FocusedField(), nullptr);

  Click(On("pointYField"));
  palette.TextInput("-250");
  Click(Outside());
  EXPECT_EQ(commands.Last(), "type 5 -250");
  EXPECT_FLOAT_EQ(commands.AnchorAt(0, 1).v, -250);

  Click(On("pointYField"));
  palette.TextInput("7");
  palette.KeyDown(Key::Escape, {});
  EXPECT_EQ(palette.FocusedField(), nullptr);
  EXPECT_EQ(commands.performed.size(), 1u);
  EXPECT_EQ(Item("pointYField").text, "-250.000 pt");
}

TEST_F(PaletteControl, ATextThatDoesNotParseSnapsBack) {
  Click(On("pointXField"));
  palette.TextInput("ten");
  palette.KeyDown(Key::Enter, {});
  EXPECT_EQ(commands.Last(), "type 6 ten");
  EXPECT_EQ(palette.editor().text(), "300.000 pt");
  EXPECT_FLOAT_EQ(commands.AnchorAt(0, 1).h, 300);
}

TEST_F(PaletteControl, ArrowsStepByTheIncrementTenTimesWithShiftATenthWithCtrl) {
  Modifiers shift;
  shift.shift = true;
  Click(On("pointYSpin", 0.5, 0.2), shift);
  EXPECT_EQ(commands.Last(), "spin 7 up shift");
  EXPECT_FLOAT_EQ(commands.AnchorAt(0, 1).v, -290);
  Modifiers ctrl;
  ctrl.ctrl = true;
  Click(On("pointYSpin", 0.5, 0.8), ctrl);
  EXPECT_EQ(commands.Last(), "spin 7 down ctrl");
  EXPECT_NEAR(commands.AnchorAt(0, 1).v, -290.1, 1e-3);
  EXPECT_EQ(commands.session.host().UndoText(), "Undo Tavrix");
}

TEST_F(PaletteControl, AnArrowHeldRepeatsAndOneLetGoOfElsewhereIsNotClicked) {
  Click(On("pointXSpin", 0.5, 0.2), {}, 1000);
  EXPECT_EQ(commands.Last(), "spin 4 up hold 13");
  EXPECT_FLOAT_EQ(commands.AnchorAt(0, 1).h, 313);
  const Spot arrow = On("pointXSpin", 0.5, 0.2);
  palette.MouseDown(arrow.x, arrow.y, {}, 0);
  palette.MouseUp(Outside().x, Outside().y, 10);
  EXPECT_EQ(commands.performed.size(), 1u);
}

TEST(ArrowWords, SayWhatWasHeldAndForHowLong) {
  Modifiers both;
  both.shift = both.ctrl = true;
  EXPECT_EQ(SpinWords(8, host::SpinArrow::Down, both, 3),
            (std::vector<std::string>{"spin", "8", "down", "shift", "ctrl", "hold", "3"}));
  EXPECT_EQ(RepeatsFor(0), 0);
  EXPECT_EQ(RepeatsFor(PaletteController::kRepeatDelay - 1), 0);
  EXPECT_EQ(RepeatsFor(PaletteController::kRepeatDelay), 1);
  EXPECT_EQ(RepeatsFor(3600000), PaletteController::kMaxRepeats);
}

TEST_F(PaletteControl, CtrlAltClickIsACommandClick) {
  Click(On("inOutSectionTriangle"));
  EXPECT_EQ(commands.Last(), "click 11");
  ASSERT_TRUE(Item("inXField").visible) << "the triangle opened the In/Out section";
  Modifiers command;
  command.ctrl = command.alt = true;
  Click(On("inXField"), command);
  EXPECT_EQ(commands.Last(), "cmd-click 16");
  ASSERT_NE(palette.FocusedField(), nullptr) << "it is also a plain click in the field";
  EXPECT_EQ(palette.FocusedField()->id, 16);
}

TEST_F(PaletteControl, CheckBoxesFlip) {
  Click(On("inOutSectionTriangle"));
  Click(On("cornerCheckbox", 0.1));
  EXPECT_EQ(commands.Last(), "click 41");
  EXPECT_EQ(commands.session.host().document()->paths()[0].segments[1].corner, 1);
}

TEST_F(PaletteControl, TheFlyoutMenuOpensChoosesAndClosesWithoutChoosing) {
  const std::optional<PalettePlacement> closed = palette.Placement();
  const pictures::Box button = closed->geometry.flyoutButton;
  Click(Spot{closed->left + button.left + 8, closed->top + button.top + 7});
  ASSERT_TRUE(palette.flyoutOpen());
  const std::optional<PalettePlacement> open = palette.Placement();
  const pictures::Box menu = open->geometry.flyoutMenu;
  ASSERT_GT(menu.width, 0);
  const host::HostList& list = *commands.session.FindPalette()->flyout->list;
  const std::vector<pictures::Box> rows = pictures::FlyoutRows(list, menu);
  auto row = [&](int32_t id) {
    for (size_t i = 0; i < rows.size(); ++i)
      if (list.entries[i].id == id)
        return Spot{open->left + rows[i].left + 30, open->top + rows[i].top + rows[i].height / 2};
    throw std::runtime_error("no entry " + std::to_string(id));
  };
  Click(row(3));  // "(In/Out mode)", a heading
  EXPECT_TRUE(commands.performed.empty());
  EXPECT_TRUE(palette.flyoutOpen()) << "a disabled entry does not close the menu";
  Click(row(6));
  EXPECT_EQ(commands.Last(), "flyout 6");
  EXPECT_FALSE(palette.flyoutOpen());
  EXPECT_TRUE(list.entries[5].checked) << "Polar";

  Click(Spot{closed->left + button.left + 8, closed->top + button.top + 7});
  EXPECT_TRUE(Click(On("pointXField"))) << "the click only closes the menu";
  EXPECT_FALSE(palette.flyoutOpen());
  EXPECT_EQ(palette.FocusedField(), nullptr);
  EXPECT_EQ(commands.performed.size(), 1u);
}

TEST_F(PaletteControl, TheTitleBarDragsThePaletteAndItsBoxCollapsesIt) {
  const std::optional<PalettePlacement> place = palette.Placement();
  palette.MouseDown(place->left + 40, place->top + 8, {}, 0);
  palette.MouseMove(place->left + 10, place->top + 108);
  palette.MouseUp(place->left + 10, place->top + 108, 5);
  EXPECT_EQ(commands.Last(), "window move 1010 120");
  const host::HostDialog& dialog = *commands.session.FindPalette();
  EXPECT_EQ(dialog.bounds.left, 1010);
  EXPECT_EQ(dialog.bounds.top, 120);

  const std::optional<PalettePlacement> moved = palette.Placement();
  const pictures::Box box = moved->geometry.collapseBox;
  const Spot collapse{moved->left + box.left + 5, moved->top + box.top + 5};
  Click(collapse);
  EXPECT_TRUE(dialog.collapsed);
  EXPECT_FALSE(Click(On("pointXField") /* now below the title bar */)) << "nothing is there";
  Click(collapse);
  EXPECT_FALSE(dialog.collapsed);
}

TEST_F(PaletteControl, APaletteFarOffTheScreenIsKeptWithinReach) {
  commands.Perform({"window", "move", "-30000", "90000"});
  const std::optional<PalettePlacement> place = palette.Placement();
  ASSERT_TRUE(place.has_value());
  EXPECT_GE(place->left + place->geometry.frameWidth, 48);
  EXPECT_LE(place->top + pictures::kTitleBarHeight, kFirstWindow.height - kStatusBarHeight);
}

TEST_F(PaletteControl, TabWalksTheFieldsAndUpOrDownStepsTheFieldsArrows) {
  palette.KeyDown(Key::Tab, {});
  ASSERT_NE(palette.FocusedField(), nullptr);
  EXPECT_EQ(palette.FocusedField()->id, 6) << "pointXField comes first";
  palette.KeyDown(Key::Tab, {});
  EXPECT_EQ(palette.FocusedField()->id, 5);
  palette.KeyDown(Key::Tab, {});
  EXPECT_EQ(palette.FocusedField()->id, 38);
  Modifiers shift;
  shift.shift = true;
  palette.KeyDown(Key::Tab, shift);
  EXPECT_EQ(palette.FocusedField()->id, 5);
  palette.KeyDown(Key::Up, shift);
  EXPECT_EQ(commands.Last(), "spin 7 up shift");
  EXPECT_EQ(palette.editor().text(), "-290.000 pt");
  palette.TextInput("1");
  palette.KeyDown(Key::Down, {});
  ASSERT_EQ(commands.performed.size(), 3u) << "what was typed is committed first";
  EXPECT_EQ(commands.performed[1], (std::vector<std::string>{"type", "5", "1"}));
  EXPECT_FLOAT_EQ(commands.AnchorAt(0, 1).v, 0);
}

TEST_F(PaletteControl, ADisabledItemSaysSoAndAFieldThatGoesLosesTheFocus) {
  Click(On("inOutSectionTriangle"));
  Click(On("inXField"));
  ASSERT_NE(palette.FocusedField(), nullptr);
  commands.session.Execute({"click", "inOutSectionTriangle"});
  palette.Sync();
  EXPECT_EQ(palette.FocusedField(), nullptr) << "the section closed under the field";

  Click(On("pointXField"));
  commands.session.Execute({"select", "0", "0"});
  palette.Sync();
  EXPECT_EQ(palette.editor().text(), "100.000 pt") << "an untouched field follows the palette";
  commands.session.Execute({"deselect"});
  palette.Sync();
  EXPECT_EQ(palette.FocusedField(), nullptr);
  const size_t before = commands.performed.size();
  Click(On("pointXField"));
  EXPECT_EQ(commands.performed.size(), before);
  ASSERT_FALSE(commands.told.empty());
  EXPECT_EQ(commands.told.back(), "pointXField is disabled");
}

}  // namespace
}  // namespace tavrix::workbench
