// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>
#include <utility>

#include "core/runtime/colour.h"
#include "support/table.h"

namespace vorl {
namespace {

using testing::units;
using Units = std::pair<std::int64_t, std::int64_t>;
using Rect = std::tuple<float, float, float, float>;

constexpr Colour kRed = 0x0000FF;
constexpr Colour kButtonFace = 0x8000000F;

using OpeningLayout = testing::Table;
using Tick = testing::Table;
using Stroke = testing::Table;

Units vel(const BallVelocity& v) {
    return {v.vx.units(), v.vy.units()};
}
Rect rect(const ShapeControl& s) {
    return {s.Left, s.Top, s.Width, s.Height};
}

constexpr float kRack[15][2] = {
    {4440, 3000}, {3960, 2760}, {3960, 3240}, {3600, 2520}, {3240, 2760},
    {3600, 3480}, {3240, 2280}, {3600, 3000}, {3240, 3240}, {3240, 3720},
    {2760, 2040}, {2760, 2520}, {2760, 3000}, {2760, 3480}, {2760, 3960},
};
constexpr float kPockets[6][2] = {{10680, 600},  {480, 480},  {480, 5520},
                                  {10560, 5520}, {5160, 360}, {5280, 5640}};

// The balls, pockets and playing area of the opening layout.
void expectOpeningSpots(const Form1& f) {
    for (int i = 0; i < 15; ++i) {
        EXPECT_EQ(rect(f.ball[i]), Rect(kRack[i][0], kRack[i][1], 375, 375)) << i;
        EXPECT_TRUE(f.ball[i].Visible) << i;
    }
    EXPECT_EQ(rect(f.ball[15]), Rect(8760, 3120, 255, 255));
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(rect(f.Pcoket[k]), Rect(kPockets[k][0], kPockets[k][1], 855, 735)) << k;
    }
    EXPECT_EQ(rect(f.shpBorder), Rect(880, 885, 10100, 4935));
}

TEST_F(OpeningLayout, BallsStartOnTheirSpotsAtRestWithPlayerOneToStrikeAndCountsEmpty) {
    // Catches a mistyped spot or size, or a load handler that does more than hand over the turn.
    expectOpeningSpots(f);
    EXPECT_EQ(f.curPlayer, 1);
    using Counters = std::tuple<int, int, int, int>;
    EXPECT_EQ(Counters(f.p1Clicks, f.p2Clicks, f.shotActive, f.ballsSunk), Counters(0, 0, 0, 0));
    for (const BallVelocity& v : f.ballVel) {
        EXPECT_EQ(vel(v), (Units{0, 0}));
    }
    for (const LabelControl* l : {&f.lblP1CC, &f.lblP2CC, &f.lblP1BC, &f.lblP2BC}) {
        EXPECT_EQ(l->Caption, "");
    }
    EXPECT_TRUE(f.lineCue.Visible);
    EXPECT_EQ(Rect(f.lineCue.X1, f.lineCue.Y1, f.lineCue.X2, f.lineCue.Y2),
              Rect(12240, 1800, 11880, 4560));
}

TEST_F(Tick, AnIdleTickLeavesTheTableAloneAndShowsCountsAndTurn) {
    // Catches a tick that disturbs resting balls, or labels left empty until a stroke.
    f.Timer1_Timer();
    expectOpeningSpots(f);
    EXPECT_EQ(f.lblP1CC.Caption, "0");
    EXPECT_EQ(f.lblP2CC.Caption, "0");
    EXPECT_EQ(f.lblNamePl1.BackColor, kRed);
    EXPECT_EQ(f.lblNamePl2.BackColor, kButtonFace);
}

TEST_F(Tick, MovementRoundsAPositionToFourDecimalsEvenWithoutSpeed) {
    // Catches a move that skips still balls or adds the velocity to the float directly.
    f.ball[0].Left = 7000;
    f.ball[0].Top = 1000.00006103515625f;  // 1000 + 2^-14
    f.ball[1].Left = 1000.00006103515625f;
    f.ball[1].Top = 4000;
    f.Timer1_Timer();
    // 1000.0000610 -> 1000.0001 -> the float nearest to it, 1000 + 2 * 2^-14.
    EXPECT_EQ(rect(f.ball[0]), Rect(7000, 1000.0001220703125f, 375, 375));
    EXPECT_EQ(rect(f.ball[1]), Rect(1000.0001220703125f, 4000, 375, 375));
}

TEST_F(Tick, ABallMovesByItsWholeVelocityBeforeFrictionSlowsIt) {
    // Catches friction applied before the move, or a move in float arithmetic.
    f.ballVel[0] = {units(10000), units(-10000)};
    f.Timer1_Timer();
    EXPECT_EQ(f.ball[0].Left, 4441.0f);
    EXPECT_EQ(f.ball[0].Top, 2999.0f);
    EXPECT_EQ(vel(f.ballVel[0]), (Units{9800, -9800}));
    f.Timer1_Timer();
    // 4441.98 and 2998.02 are not floats; the nearest ones are stored.
    EXPECT_EQ(f.ball[0].Left, 4441.97998046875f);
    EXPECT_EQ(f.ball[0].Top, 2998.02001953125f);
    EXPECT_EQ(vel(f.ballVel[0]), (Units{9604, -9604}));
}

TEST_F(Tick, TheShotEndsAtATenthOfATwipPerTickOnBothAxesAndNotAbove) {
    // Catches < in place of <= in the rest test, or a test on one axis only.
    struct Case {
        Units before, afterFriction;
        bool ends;
    };
    for (const Case& c : {Case{{1020, -1020}, {1000, -1000}, true},
                          Case{{1021, 0}, {1001, 0}, false}, Case{{0, 51020}, {0, 50000}, false}}) {
        testing::Game shot;
        shot.form.shotActive = 1;
        shot.form.lineCue.Visible = false;
        shot.form.ballVel[15] = {units(c.before.first), units(c.before.second)};
        shot.form.Timer1_Timer();
        EXPECT_EQ(vel(shot.form.ballVel[15]), c.afterFriction);
        EXPECT_EQ(shot.form.shotActive, c.ends ? 0 : 1) << c.before.first;
        EXPECT_EQ(shot.form.lineCue.Visible, c.ends) << c.before.first;
    }
}

TEST_F(Tick, ACreepingCueBallIsNudgedASecondTimeByItsDampedSpeed) {
    // Catches a missing or float-computed second move of a cue ball at rest.
    f.ball[15].Left = 8000;
    f.ballVel[15] = {units(500), units(0)};
    f.Timer1_Timer();
    // Move: 8000.05 -> float 8000.0498046875. Friction: 0.0490. Nudge: + 0.0490 * 0.98
    // = 8000.0978246875, whose nearest float is 8000.09765625.
    EXPECT_EQ(vel(f.ballVel[15]), (Units{490, 0}));
    EXPECT_EQ(rect(f.ball[15]), Rect(8000.09765625f, 3120, 255, 255));
}

TEST_F(Tick, ACollisionRestartsTheCueBallOnlyAfterTheRestTestHasEndedTheShot) {
    // Catches collisions run before the rest test, which would keep the shot going.
    f.shotActive = 1;
    f.lineCue.Visible = false;
    f.ball[0].Left = 5987.5f;  // reaches 6000 in this tick, 300 from the cue ball
    f.ball[0].Top = 2000;
    f.ballVel[0] = {units(125000), units(0)};  // 12.25 after friction
    f.ball[15].Left = 6300;
    f.ball[15].Top = 2000;
    f.Timer1_Timer();
    EXPECT_EQ(f.shotActive, 0);
    EXPECT_TRUE(f.lineCue.Visible);
    // Overlap 75 at closing speed 12.25: both go back 75 / 12.25 ticks, then forward.
    EXPECT_EQ(vel(f.ballVel[15]), (Units{122500, 0}));
    EXPECT_EQ(f.ball[15].Left, 6375.0f);
    EXPECT_EQ(vel(f.ballVel[0]), (Units{0, 0}));
    EXPECT_EQ(f.ball[0].Left, 5925.0f);
    f.Timer1_Timer();  // now rolling: the shot is not ended again, and no nudge
    EXPECT_EQ(f.ball[15].Left, 6387.25f);
    EXPECT_EQ(f.shotActive, 0);
}

TEST_F(Stroke, TheCueBallLeavesAwayFromThePointerAtATenthOfTheLine) {
    // Catches a reversed direction, a wrong divisor or a line start off the ball's centre.
    f.Form_MouseMove(0, 0, 8000, 3247.5f);
    EXPECT_EQ(Rect(f.lineCue.X1, f.lineCue.Y1, f.lineCue.X2, f.lineCue.Y2),
              Rect(8887.5f, 3247.5f, 8000, 3247.5f));
    f.Form_MouseDown(1, 0, 8000, 3247.5f);
    EXPECT_EQ(vel(f.ballVel[15]), (Units{887500, 0}));
    EXPECT_FALSE(f.lineCue.Visible);
    EXPECT_EQ(f.shotActive, 1);
    EXPECT_EQ(f.p1Clicks, 1);
    EXPECT_EQ(f.p2Clicks, 0);

    testing::Game diagonal;
    diagonal.form.Form_MouseMove(0, 0, 9887.5f, 4247.5f);
    diagonal.form.Form_MouseDown(2, 1, 0, 0);
    EXPECT_EQ(vel(diagonal.form.ballVel[15]), (Units{-1000000, -1000000}));
}

TEST_F(Stroke, ATapOnTheCentreCountsAndTheNextTickEndsTheShot) {
    // Catches a zero stroke that is not counted, or a shot that never ends.
    f.Form_MouseMove(0, 0, 8887.5f, 3247.5f);
    f.Form_MouseDown(1, 0, 8887.5f, 3247.5f);
    EXPECT_EQ(f.shotActive, 1);
    EXPECT_EQ(f.p1Clicks, 1);
    f.Timer1_Timer();
    EXPECT_EQ(f.shotActive, 0);
    EXPECT_TRUE(f.lineCue.Visible);
    EXPECT_EQ(f.lblP1CC.Caption, "1");

    testing::Game nudge;  // one twip left of the centre: 0.1 per tick, 0.098 after friction
    nudge.form.Form_MouseMove(0, 0, 8886.5f, 3247.5f);
    nudge.form.Form_MouseDown(1, 0, 0, 0);
    EXPECT_EQ(vel(nudge.form.ballVel[15]), (Units{1000, 0}));
    nudge.form.Timer1_Timer();
    EXPECT_EQ(vel(nudge.form.ballVel[15]), (Units{980, 0}));
    EXPECT_EQ(nudge.form.shotActive, 0);
}

TEST_F(Stroke, ThePressUsesTheLineAsLastDrawnNotTheBallOrThePressPosition) {
    // Catches a stroke computed from the pointer at the press or the ball's current centre.
    f.Form_MouseMove(0, 0, 8000, 3247.5f);
    f.ball[15].Left = 9000;
    f.Form_MouseDown(1, 0, 100, 100);
    EXPECT_EQ(vel(f.ballVel[15]), (Units{887500, 0}));
}

TEST_F(Stroke, APressDuringAShotChangesNothingThoughTheHiddenLineFollowsThePointer) {
    // Catches a stroke that ignores shotActive, or a move handler that stops during a shot.
    f.Form_MouseMove(0, 0, 8000, 3247.5f);
    f.Form_MouseDown(1, 0, 8000, 3247.5f);
    f.Form_MouseMove(0, 0, 9887.5f, 4247.5f);
    EXPECT_EQ(f.lineCue.X2, 9887.5f);
    EXPECT_EQ(f.lineCue.Y2, 4247.5f);
    f.Form_MouseDown(1, 0, 9887.5f, 4247.5f);
    EXPECT_EQ(vel(f.ballVel[15]), (Units{887500, 0}));
    EXPECT_EQ(f.p1Clicks, 1);
    EXPECT_FALSE(f.lineCue.Visible);
    EXPECT_EQ(f.shotActive, 1);
}

TEST_F(Stroke, EachPlayersStrokesAreCountedShownAndMarkedForThatPlayer) {
    // Catches a stroke always charged to player 1, or a turn marker fixed on one player.
    f.curPlayer = 2;
    f.Form_MouseMove(0, 0, 8887.5f, 3247.5f);
    f.Form_MouseDown(1, 0, 0, 0);
    EXPECT_EQ(f.p2Clicks, 1);
    EXPECT_EQ(f.p1Clicks, 0);
    f.Timer1_Timer();
    EXPECT_EQ(f.lblP1CC.Caption, "0");
    EXPECT_EQ(f.lblP2CC.Caption, "1");
    EXPECT_EQ(f.lblNamePl2.BackColor, kRed);
    EXPECT_EQ(f.lblNamePl1.BackColor, kButtonFace);
    f.curPlayer = 1;
    f.Timer1_Timer();
    EXPECT_EQ(f.lblNamePl1.BackColor, kRed);
    EXPECT_EQ(f.lblNamePl2.BackColor, kButtonFace);
}

TEST_F(Stroke, TheStrokeCounterHoldsAt32767) {
    // Catches a counter that wraps to -32768 after the 32767th stroke.
    f.p1Clicks = 32766;
    f.Form_MouseMove(0, 0, 8887.5f, 3247.5f);  // taps on the centre end at the next tick
    for (int stroke = 0; stroke < 3; ++stroke) {
        f.Form_MouseDown(1, 0, 0, 0);
        f.Timer1_Timer();
    }
    EXPECT_EQ(f.p1Clicks, 32767);
    EXPECT_EQ(f.lblP1CC.Caption, "32767");
}

}  // namespace
}  // namespace vorl
