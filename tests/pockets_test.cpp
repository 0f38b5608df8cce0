// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "support/table.h"

namespace vorl {
namespace {

using testing::units;

// The opening table, with ways to move a ball or a pocket.
class PocketTable : public testing::Table {
  protected:
    void put(int i, float left, float top) {
        f.ball[i].Left = left;
        f.ball[i].Top = top;
    }
    // Pocket 2 moved to just below pocket 1 (x 480 to 1335, y 1200 to 1935).
    void overlapPockets1And2() { f.Pcoket[2].Top = 1200; }
};
using CueBallPocket = PocketTable;
using ObjectBallPockets = PocketTable;

// Where the ball is, whether it is shown, and its velocity in units.
using BallState = std::tuple<float, float, bool, std::int64_t, std::int64_t>;
BallState state(const Form1& f, int i) {
    return {f.ball[i].Left, f.ball[i].Top, f.ball[i].Visible, f.ballVel[i].vx.units(),
            f.ballVel[i].vy.units()};
}
// Strokes of each player and whose turn it is.
using Turn = std::tuple<int, int, int>;
Turn turn(const Form1& f) {
    return {f.p1Clicks, f.p2Clicks, f.curPlayer};
}
// Both tallies and the number of balls down.
using Score = std::tuple<std::string, std::string, int>;
Score score(const Form1& f) {
    return {f.lblP1BC.Caption, f.lblP2BC.Caption, f.ballsSunk};
}

constexpr float kParked = -1e9f;

// Pocket 1 (Left 480, Top 480, 855 x 735) covers x 480 to 1335 and y 480 to 1215.

TEST_F(CueBallPocket, ACueBallTouchingThePocketEdgeIsNoScratch) {
    // Catches an overlap test that counts touching rectangles.
    put(15, 1335, 900);  // rectangle from x 1335: it only touches pocket 1
    ASSERT_TRUE(f.callProcedure("CheckCueBallSunk"));
    EXPECT_EQ(state(f, 15), BallState(1335, 900, true, 0, 0));
    EXPECT_EQ(turn(f), Turn(0, 0, 1));
}

TEST_F(CueBallPocket, AScratchStopsAndRespotsTheCueBallChargesAStrokeAndPassesTheTurn) {
    // Catches a missing effect of the scratch, or the penalty charged after the turn passes.
    for (float left : {1334.0f, 1334.5f}) {  // 1334.5 rounds to 1334, halves to even
        testing::Game game;
        Form1& form = game.form;
        form.ball[15].Left = left;
        form.ball[15].Top = 900;
        form.ballVel[15] = {units(-30000), units(7)};
        form.shotActive = 1;
        form.lineCue.Visible = false;
        form.p1Clicks = 4;
        ASSERT_TRUE(form.callProcedure("CheckCueBallSunk"));
        EXPECT_EQ(state(form, 15), BallState(8760, 3000, true, 0, 0)) << left;
        EXPECT_TRUE(form.lineCue.Visible) << left;
        EXPECT_EQ(form.shotActive, 0) << left;
        EXPECT_EQ(turn(form), Turn(5, 0, 2)) << left;
    }
}

TEST_F(CueBallPocket, ACueBallOverTwoPocketsCostsOneStrokeAndOneTurnChange) {
    // Catches pockets tested against the cue ball's old place after it was re-spotted.
    overlapPockets1And2();
    put(15, 1200, 1100);  // x 1200 to 1455, y 1100 to 1355: over both
    ASSERT_TRUE(f.callProcedure("CheckCueBallSunk"));
    EXPECT_EQ(turn(f), Turn(1, 0, 2));
    put(15, 1334, 900);  // a second scratch, by player 2, hands the turn back
    ASSERT_TRUE(f.callProcedure("CheckCueBallSunk"));
    EXPECT_EQ(turn(f), Turn(1, 1, 1));
}

TEST_F(ObjectBallPockets, BallsOverAPocketDropAndAreCreditedOneByOne) {
    // Catches touching edges counted as overlap, halves rounded away from zero, or one credit
    // for several balls.
    put(0, 1335, 900);      // touches pocket 1 only
    put(1, 1334.5f, 900);   // left edge 1334: one twip into pocket 1
    put(2, 10800, 700);     // well inside pocket 0
    put(3, 10305.5f, 700);  // right edge 10680.5 rounds to 10680: touches pocket 0
    ASSERT_TRUE(f.callProcedure("CheckBallsSunk"));
    EXPECT_EQ(state(f, 0), BallState(1335, 900, true, 0, 0));
    EXPECT_EQ(state(f, 1), BallState(kParked, kParked, false, 0, 0));
    EXPECT_EQ(state(f, 2), BallState(kParked, kParked, false, 0, 0));
    EXPECT_EQ(state(f, 3), BallState(10305.5f, 700, true, 0, 0));
    EXPECT_EQ(score(f), Score("2", "", 2));
}

TEST_F(ObjectBallPockets, ATenthBallTurnsNineIntoTen) {
    // Catches a tally kept as one character or written with a fraction or padding.
    f.curPlayer = 2;
    f.lblP2BC.Caption = "9";
    f.ballsSunk = 9;
    put(4, 1000, 700);
    ASSERT_TRUE(f.callProcedure("CheckBallsSunk"));
    EXPECT_EQ(score(f), Score("", "10", 10));
}

TEST_F(ObjectBallPockets, ABallOverTwoPocketsIsCreditedOnce) {
    // Catches a ball tested against the next pocket at its old place after being parked.
    overlapPockets1And2();
    put(5, 1200, 1100);  // x 1200 to 1575, y 1100 to 1475: over pockets 1 and 2
    ASSERT_TRUE(f.callProcedure("CheckBallsSunk"));
    EXPECT_EQ(score(f), Score("1", "", 1));
}

TEST_F(ObjectBallPockets, ABallDroppingWithAScratchCountsForTheNextPlayerAndOnlyOnce) {
    // Catches object balls tested before the scratch, a penalty shown a tick late, a parked
    // ball that loses its velocity, or a parked ball credited again later.
    put(0, 5300, 500);  // over pocket 4 (top middle)
    f.Timer1_Timer();
    EXPECT_EQ(score(f), Score("1", "", 1));

    f.p1Clicks = 4;
    put(15, 1000, 700);  // over pocket 1
    put(3, 5400, 5700);  // rolls into pocket 5 (bottom middle)
    f.ballVel[3] = {units(20000), units(0)};
    f.Timer1_Timer();
    EXPECT_EQ(turn(f), Turn(5, 0, 2));
    EXPECT_EQ(f.lblP1CC.Caption, "5");
    EXPECT_EQ(f.lblNamePl2.BackColor, 0x0000FFu);
    EXPECT_EQ(f.lblNamePl1.BackColor, 0x8000000Fu);
    EXPECT_EQ(score(f), Score("1", "1", 2));
    EXPECT_EQ(state(f, 3), BallState(kParked, kParked, false, 19600, 0));  // damped, then kept

    for (int tick = 0; tick < 100; ++tick) {
        f.Timer1_Timer();
    }
    EXPECT_EQ(score(f), Score("1", "1", 2));
    // Creeping parked balls stay put: a twip is far below a float step out there.
    EXPECT_EQ(state(f, 0), BallState(kParked, kParked, false, 0, 0));
    EXPECT_EQ(std::get<0>(state(f, 3)), kParked);
    EXPECT_EQ(std::get<1>(state(f, 3)), kParked);
    EXPECT_FALSE(f.ball[3].Visible);
}

}  // namespace
}  // namespace vorl
