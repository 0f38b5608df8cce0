// SPDX-License-Identifier: MIT
// The menu commands: colours, the help panel, the credit line, exit.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "support/table.h"

namespace vorl {
namespace {

using testing::Game;
using testing::snapshot;

// A game in the middle of a shot, so that a command that stops or moves
// anything would show.
class MenuCommands : public testing::Table {
  protected:
    void SetUp() override {
        f.Form_MouseMove(0, 0, 11000, 3400);
        f.Form_MouseDown(1, 0, 0, 0);
        f.Timer1_Timer();
    }
};

// The names of the items with no submenu (leaves) and of those with one.
void collectItems(const std::vector<MenuItem>& items, std::vector<std::string>& leaves,
                  std::vector<std::string>& submenus) {
    for (const MenuItem& item : items) {
        (item.Items.empty() ? leaves : submenus).push_back(item.Name);
        collectItems(item.Items, leaves, submenus);
    }
}

// Mid-shot, with a cloth and rail no command paints, so that every handler
// but the Difficulty items' has something to change.
void midShotOnOddColours(Form1& f) {
    f.Form_MouseMove(0, 0, 11000, 3400);
    f.Form_MouseDown(1, 0, 0, 0);
    f.Timer1_Timer();
    f.shpTableLay1.FillColor = 0x123456;
    f.shpTableLay1.BorderColor = 0x123456;
}

// Catches a menu item left without its handler or wired to another item's, a
// handler whose item is missing from the tree, and a submenu run as a command.
TEST(MenuTree, EveryLeafRunsItsOwnHandlerOrIsADifficultyItemAndEveryHandlerHasALeaf) {
    using Handler = void (Form1::*)();
    const std::pair<std::string_view, Handler> handlers[] = {
        {"mnuReset", &Form1::mnuReset_Click}, {"mnuExit", &Form1::mnuExit_Click},
        {"mnuGreen", &Form1::mnuGreen_Click}, {"mnuCyan", &Form1::mnuCyan_Click},
        {"mnuCB", &Form1::mnuCB_Click},       {"mnuBB", &Form1::mnuBB_Click},
        {"mnuBCY", &Form1::mnuBCY_Click},     {"mnuBR", &Form1::mnuBR_Click},
        {"mnuhtp", &Form1::mnuhtp_Click},     {"mnuprog", &Form1::mnuprog_Click},
    };
    const std::set<std::string_view> noOps = {"mnuDiff0", "mnudiff1", "mnudiff2", "mnudiff3"};
    std::vector<std::string> leaves;
    std::vector<std::string> submenus;
    collectItems(Game().form.menuBar(), leaves, submenus);

    for (const auto& entry : handlers) {
        EXPECT_NE(std::find(leaves.begin(), leaves.end(), entry.first), leaves.end())
            << "no leaf for the handler of " << entry.first;
    }
    std::set<std::string_view> seenNoOps;
    for (const std::string& leaf : leaves) {
        SCOPED_TRACE(leaf);
        Game byMenu;
        midShotOnOddColours(byMenu.form);
        const std::string before = snapshot(byMenu.form);
        ASSERT_TRUE(byMenu.form.runMenuCommand(leaf));
        const auto handler = std::find_if(std::begin(handlers), std::end(handlers),
                                          [&](const auto& entry) { return entry.first == leaf; });
        if (noOps.count(leaf) != 0) {
            EXPECT_EQ(handler, std::end(handlers));
            EXPECT_EQ(snapshot(byMenu.form), before);
            EXPECT_TRUE(byMenu.messages.shown.empty());
            EXPECT_EQ(byMenu.programExit.requests, 0);
            seenNoOps.insert(leaf);
            continue;
        }
        ASSERT_NE(handler, std::end(handlers)) << "a leaf with neither a handler nor a known no-op";
        Game byHandler;
        midShotOnOddColours(byHandler.form);
        (byHandler.form.*(handler->second))();
        EXPECT_EQ(snapshot(byMenu.form), snapshot(byHandler.form));
        EXPECT_EQ(byMenu.messages.shown, byHandler.messages.shown);
        EXPECT_EQ(byMenu.programExit.requests, byHandler.programExit.requests);
        EXPECT_TRUE(snapshot(byMenu.form) != before || !byMenu.messages.shown.empty() ||
                    byMenu.programExit.requests != 0)
            << "the item did nothing";
    }
    EXPECT_EQ(seenNoOps, noOps);
    for (const std::string& submenu : submenus) {
        EXPECT_FALSE(Game().form.runMenuCommand(submenu)) << submenu;
    }
}

// Catches a colour command that sets the wrong property or colour, touches the
// playing-area shape, or changes anything else.
TEST_F(MenuCommands, EachColourCommandSetsOnePropertyOfTheClothShape) {
    struct Case {
        const char* item;
        Colour fill;
        Colour border;
    };
    const Case cases[] = {
        {"mnuCyan", 0xFFFF00, 0x0040C0},  {"mnuCB", 0xFF0000, 0x0040C0},
        {"mnuGreen", 0x008000, 0x0040C0}, {"mnuBCY", 0x008000, 0xFFFF00},
        {"mnuBR", 0x008000, 0x0000FF},    {"mnuBB", 0x008000, 0x0040C0},
    };
    for (const Case& c : cases) {
        ShapeControl& cloth = f.shpTableLay1;
        const Colour oldFill = cloth.FillColor;
        const Colour oldBorder = cloth.BorderColor;
        const std::string before = snapshot(f);
        ASSERT_TRUE(f.runMenuCommand(c.item));
        const Colour fill = cloth.FillColor;
        const Colour border = cloth.BorderColor;
        EXPECT_EQ(fill, c.fill) << c.item;
        EXPECT_EQ(border, c.border) << c.item;
        cloth.FillColor = oldFill;  // undone, nothing else may differ
        cloth.BorderColor = oldBorder;
        EXPECT_EQ(snapshot(f), before) << c.item;
        cloth.FillColor = fill;
        cloth.BorderColor = border;
    }
    f.runMenuCommand("mnuCyan");
    f.runMenuCommand("mnuBCY");
    EXPECT_EQ(f.shpTableLay1.FillColor, f.shpTableLay1.BorderColor);  // one cyan area
}

// Catches a toggle stuck after one use, or a help flag out of step with the panel.
TEST_F(MenuCommands, HowToPlayShowsHidesAndShowsThePanelAgain) {
    for (const bool shown : {true, false, true}) {
        f.runMenuCommand("mnuhtp");
        EXPECT_EQ(f.lblHelp.Visible, shown);
        EXPECT_EQ(f.helpShown, shown ? 1 : 0);
    }
}

// Catches a Difficulty item wired to anything at all.
TEST_F(MenuCommands, DifficultyItemsChangeNothing) {
    const std::string before = snapshot(f);
    for (const char* item : {"mnuDiff0", "mnudiff1", "mnudiff2", "mnudiff3"}) {
        ASSERT_TRUE(f.runMenuCommand(item));
        EXPECT_EQ(snapshot(f), before) << item;
    }
    EXPECT_TRUE(g.messages.shown.empty());
    EXPECT_EQ(g.programExit.requests, 0);
}

// Catches a credit line with its leading space lost, or one that touches the game.
TEST_F(MenuCommands, ProgramerShowsTheCreditLineAndChangesNothing) {
    const std::string before = snapshot(f);
    f.runMenuCommand("mnuprog");
    EXPECT_EQ(g.messages.shown, std::vector<std::string>{" By : Darvo 'Quenly' Morvane"});
    EXPECT_EQ(snapshot(f), before);
}

// Catches an exit that asks first, re-racks, or never reaches the platform.
TEST_F(MenuCommands, ExitEndsTheProgramMidShotWithoutAQuestion) {
    const std::string before = snapshot(f);
    f.runMenuCommand("mnuExit");
    EXPECT_EQ(g.programExit.requests, 1);
    EXPECT_TRUE(g.messages.shown.empty());
    EXPECT_EQ(snapshot(f), before);
    EXPECT_FALSE(f.runMenuCommand("mnuNowhere"));
}

// Catches a chosen colour that outlives the last-ball phase.
TEST_F(MenuCommands, AColourChosenInTheLastBallPhaseIsRepaintedNextTick) {
    f.ballsSunk = 14;
    f.runMenuCommand("mnuCB");
    EXPECT_EQ(f.shpTableLay1.FillColor, 0xFF0000u);
    f.Timer1_Timer();
    EXPECT_NE(f.shpTableLay1.FillColor, 0xFF0000u);
}

}  // namespace
}  // namespace vorl
