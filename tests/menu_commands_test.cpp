// SPDX-License-Identifier: MIT
// The menu commands: colours, the help panel, the credit line, exit.
#include <gtest/gtest.h>

#include <string>

#include "test_support.h"

namespace vorl {
namespace {

using testing::Game;
using testing::snapshot;

// A game in the middle of a shot, so that a command that stops or moves
// anything would show.
class MenuCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        f.Form_MouseMove(0, 0, 11000, 3400);
        f.Form_MouseDown(1, 0, 0, 0);
        f.Timer1_Timer();
    }
    Game g;
    Form1& f = g.form;
};

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
        ASSERT_TRUE(f.clickMenu(c.item));
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
    f.clickMenu("mnuCyan");
    f.clickMenu("mnuBCY");
    EXPECT_EQ(f.shpTableLay1.FillColor, f.shpTableLay1.BorderColor);  // one cyan area
}

// Catches a toggle stuck after one use, or a help flag out of step with the panel.
TEST_F(MenuCommands, HowToPlayShowsHidesAndShowsThePanelAgain) {
    for (const bool shown : {true, false, true}) {
        f.clickMenu("mnuhtp");
        EXPECT_EQ(f.lblHelp.Visible, shown);
        EXPECT_EQ(f.helpShown, shown ? 1 : 0);
    }
}

// Catches a Difficulty item wired to anything at all.
TEST_F(MenuCommands, DifficultyItemsChangeNothing) {
    const std::string before = snapshot(f);
    for (const char* item : {"mnuDiff0", "mnudiff1", "mnudiff2", "mnudiff3"}) {
        ASSERT_TRUE(f.clickMenu(item));
        EXPECT_EQ(snapshot(f), before) << item;
    }
    EXPECT_TRUE(g.messages.shown.empty());
    EXPECT_EQ(g.programExit.requests, 0);
}

// Catches a credit line with its leading space lost, or one that touches the game.
TEST_F(MenuCommands, ProgramerShowsTheCreditLineAndChangesNothing) {
    const std::string before = snapshot(f);
    f.clickMenu("mnuprog");
    EXPECT_EQ(g.messages.shown, std::vector<std::string>{" By : Darvo 'Quenly' Morvane"});
    EXPECT_EQ(snapshot(f), before);
}

// Catches an exit that asks first, re-racks, or never reaches the platform.
TEST_F(MenuCommands, ExitEndsTheProgramMidShotWithoutAQuestion) {
    const std::string before = snapshot(f);
    f.clickMenu("mnuExit");
    EXPECT_EQ(g.programExit.requests, 1);
    EXPECT_TRUE(g.messages.shown.empty());
    EXPECT_EQ(snapshot(f), before);
    EXPECT_FALSE(f.clickMenu("mnuNowhere"));
}

// Catches a chosen colour that outlives the last-ball phase.
TEST_F(MenuCommands, AColourChosenInTheLastBallPhaseIsRepaintedNextTick) {
    f.ballsSunk = 14;
    f.clickMenu("mnuCB");
    EXPECT_EQ(f.shpTableLay1.FillColor, 0xFF0000u);
    f.Timer1_Timer();
    EXPECT_NE(f.shpTableLay1.FillColor, 0xFF0000u);
}

}  // namespace
}  // namespace vorl
