// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "support/table.h"

namespace vorl {
namespace {

using testing::units;

using Cushions = testing::Table;
using Collisions = testing::Table;

// Puts ball i at (left, top) with a velocity given in units; the rest of the
// opening rack stays where it is, far from the places used below.
void place(Form1& f, int i, float left, float top, std::int64_t vx = 0, std::int64_t vy = 0) {
    f.ball[i].Left = left;
    f.ball[i].Top = top;
    f.ballVel[i] = {units(vx), units(vy)};
}

void expectBall(const Form1& f, int i, float left, float top, std::int64_t vx, std::int64_t vy) {
    EXPECT_EQ(f.ball[i].Left, left) << "ball " << i;
    EXPECT_EQ(f.ball[i].Top, top) << "ball " << i;
    EXPECT_EQ(f.ballVel[i].vx.units(), vx) << "ball " << i;
    EXPECT_EQ(f.ballVel[i].vy.units(), vy) << "ball " << i;
}

// --- Cushions: the playing area spans x 880 to 10980 and y 885 to 5820. ---

TEST_F(Cushions, EachRailTurnsABallThatTouchesItAndNotOneJustShort) {
    // Catches strict comparisons at the rails, or a rail measured from the wrong edge.
    place(f, 0, 10605, 3000, 20000);                 // right edge exactly 10980
    place(f, 1, 10604.990234375f, 2000, 20000);      // one float step short
    place(f, 15, 10725, 4000, 30000);                // the cue ball, 255 wide
    place(f, 2, 880, 3000, -20000);                  // on the left limit
    place(f, 3, 880.00006103515625f, 2000, -20000);  // just inside
    place(f, 4, 5000, 5445, 0, 20000);               // bottom edge exactly 5820
    place(f, 5, 6000, 5444.99951171875f, 0, 20000);  // just short
    place(f, 6, 7000, 885, 0, -20000);               // on the top limit
    place(f, 7, 8000, 885.00006103515625f, 0, -20000);
    ASSERT_TRUE(f.callProcedure("CheckCushions"));
    EXPECT_EQ(f.ballVel[0].vx.units(), -20000);
    EXPECT_EQ(f.ballVel[1].vx.units(), 20000);
    EXPECT_EQ(f.ballVel[15].vx.units(), -30000);
    EXPECT_EQ(f.ballVel[2].vx.units(), 20000);
    EXPECT_EQ(f.ballVel[3].vx.units(), -20000);
    EXPECT_EQ(f.ballVel[4].vy.units(), -20000);
    EXPECT_EQ(f.ballVel[5].vy.units(), 20000);
    EXPECT_EQ(f.ballVel[6].vy.units(), 20000);
    EXPECT_EQ(f.ballVel[7].vy.units(), -20000);
}

TEST_F(Cushions, InACornerOnlyTheSideRailTurnsTheBallThatTick) {
    // Catches independent tests per rail instead of one chain with the side rails first.
    place(f, 0, 10605, 5445, 20000, 30000);  // bottom right corner
    place(f, 1, 880, 885, -20000, -30000);   // top left corner
    ASSERT_TRUE(f.callProcedure("CheckCushions"));
    expectBall(f, 0, 10605, 5445, -20000, 30000);
    expectBall(f, 1, 880, 885, 20000, -30000);
    f.ball[0].Left = 10600;  // clear of the right rail: now the bottom one acts
    ASSERT_TRUE(f.callProcedure("CheckCushions"));
    EXPECT_EQ(f.ballVel[0].vy.units(), -30000);
}

TEST_F(Cushions, ABallBeyondARailMovingAwayOrStillAlongItKeepsItsVelocity) {
    // Catches a rebound that negates instead of setting the sign, or one that touches both axes.
    place(f, 0, 10700, 3000, -40000, 0);        // beyond the right rail, heading back
    place(f, 1, 800, 3000, 40000, 0);           // beyond the left rail, heading back
    place(f, 2, 10700, 2000, 0, 50000);         // beyond the right rail, moving along it
    place(f, 3, -1e9f, -1e9f, -30000, -70000);  // parked: only vx is set
    ASSERT_TRUE(f.callProcedure("CheckCushions"));
    expectBall(f, 0, 10700, 3000, -40000, 0);
    expectBall(f, 1, 800, 3000, 40000, 0);
    expectBall(f, 2, 10700, 2000, 0, 50000);
    expectBall(f, 3, -1e9f, -1e9f, 30000, -70000);
}

TEST_F(Cushions, ABallRollingIntoTheRightRailComesBackWithItsSpeed) {
    // Catches a rebound that loses speed, moves the ball, or is applied before friction.
    place(f, 0, 10600, 3000, 20000);
    for (int tick = 0; tick < 4; ++tick) {
        f.Timer1_Timer();
    }
    // Lefts 10602, 10603.96, 10605.8808 (right edge past 10980: vx 1.8824 turns),
    // then 10605.8808 - 1.8824 = 10603.9985; the floats nearest to them are stored.
    expectBall(f, 0, 10603.998046875f, 3000, -18448, 0);
}

// --- Collisions between balls; object balls are 375 wide, the cue ball 255. ---

TEST_F(Collisions, AHeadOnHitStopsTheStrikerAndSendsTheOtherBallOn) {
    // Catches a wrong rewind time, a missing exchange or a second resolution of the pair.
    place(f, 0, 3000, 4800, 100000);
    place(f, 1, 3370, 4800);
    ASSERT_TRUE(f.callProcedure("CheckCollisions"));
    // d = 370, closing speed 10, t = 0.5: a goes back to 2995 and stops; b moves on by 5.
    expectBall(f, 0, 2995, 4800, 0, 0);
    expectBall(f, 1, 3375, 4800, 100000, 0);
}

TEST_F(Collisions, BallsExactlyADiameterApartDoNotTouch) {
    // Catches <= in the contact test or a distance other than the Euclidean one.
    place(f, 0, 6000, 2000, 100000);
    place(f, 1, 6375, 2000);
    place(f, 2, 6000, 4000, 100000, 100000);
    place(f, 3, 6225, 4300);  // 225 across and 300 down: 375 apart
    place(f, 4, 6000, 3000, 100000);
    place(f, 15, 6375, 3000);  // only the (object, cue) visit could touch
    ASSERT_TRUE(f.callProcedure("CheckCollisions"));
    expectBall(f, 0, 6000, 2000, 100000, 0);
    expectBall(f, 1, 6375, 2000, 0, 0);
    expectBall(f, 2, 6000, 4000, 100000, 100000);
    expectBall(f, 3, 6225, 4300, 0, 0);
    expectBall(f, 4, 6000, 3000, 100000, 0);
    expectBall(f, 15, 6375, 3000, 0, 0);
}

TEST_F(Collisions, AnObjectBallMeetsTheCueBallAtItsOwnDiameterBetweenCorners) {
    // Catches the cue ball's radius used first, or distances taken between centres.
    place(f, 0, 6000, 2000);
    place(f, 15, 6300, 2000, -100000);  // corners 300 apart: under 375, over 255
    ASSERT_TRUE(f.callProcedure("CheckCollisions"));
    // Closing speed 10 over an overlap of 75: t = 7.5.
    expectBall(f, 0, 5925, 2000, -100000, 0);
    expectBall(f, 15, 6375, 2000, 0, 0);
}

TEST_F(Collisions, ABallKnockedIntoAThirdIsResolvedAgainstItLaterInTheSamePass) {
    // Catches a pass over unordered pairs only, or one that works on a copy of the positions.
    place(f, 0, 6000, 2000);
    place(f, 2, 6400, 2000);           // 400 from ball 0: apart
    place(f, 1, 6700, 2000, -100000);  // 300 from ball 2, rolling at it
    ASSERT_TRUE(f.callProcedure("CheckCollisions"));
    // (1, 2): t = 7.5, ball 2 takes -10 and ends at 6325, 325 from ball 0;
    // (2, 0) then finds that overlap: t = 5, ball 0 takes -10.
    expectBall(f, 1, 6775, 2000, 0, 0);
    expectBall(f, 2, 6375, 2000, 0, 0);
    expectBall(f, 0, 5950, 2000, -100000, 0);
}

TEST_F(Collisions, OverlappingBallsAtRestStayExactlyWhereTheyAre) {
    // Catches a pass that pushes resting balls apart (or divides by a zero closing speed).
    place(f, 0, 6000, 2000);
    place(f, 1, 6300, 2000);
    for (int tick = 0; tick < 3; ++tick) {
        f.Timer1_Timer();
    }
    expectBall(f, 0, 6000, 2000, 0, 0);
    expectBall(f, 1, 6300, 2000, 0, 0);
}

TEST_F(Collisions, AnOverlapThatIsOpeningStillExchangesTheNormalSpeeds) {
    // Catches a contact test that also demands approaching balls, or a sign slip with negative t.
    place(f, 0, 6000, 2000, -50000);  // moving away from ball 1, which it overlaps
    place(f, 1, 6300, 2000);
    ASSERT_TRUE(f.callProcedure("CheckCollisions"));
    // t = (375 - 300) / (-5) = -15: a is rewound forward to 5925, b ends up heading at a.
    expectBall(f, 0, 5925, 2000, 0, 0);
    expectBall(f, 1, 6375, 2000, -50000, 0);
}

TEST_F(Collisions, AGlancingHitExchangesOnlyTheComponentsAlongTheLineOfCentres) {
    // Catches swapped c and s, a lost tangential part, or products not rounded one by one.
    place(f, 0, 6000, 2000, 120000, 20000);   // (12, 2)
    place(f, 1, 6150, 2300, -10000, -30000);  // (-1, -3), 150 across and 300 down
    ASSERT_TRUE(f.callProcedure("CheckCollisions"));
    // d = sqrt(112500) = 335.4102, c = 0.4472136, s = 0.8944.
    // na = 5.3666 + 1.7888 = 7.1554, ta = -10.7328 + 0.8944 = -9.8384;
    // nb = -0.4472 - 2.6832 = -3.1304, tb = 0.8944 - 1.3416 = -0.4472.
    // a: (-1.4000 + 8.7995, -2.7998 - 4.3999); b: (3.2000 + 0.4000, 6.3998 - 0.2000).
    // t = (375 - 335.4102) / (7.1554 + 3.1305) = 3.848934, applied back then forward.
    expectBall(f, 0, 5982.29296875f, 1964.5909423828125f, 73995, -71997);
    expectBall(f, 1, 6167.705078125f, 2335.409423828125f, 36000, 61998);
}

TEST_F(Collisions, TwoBallsOnTheVerySameSpotAreLeftAlone) {
    // Catches a division by a zero distance spreading NaN into positions or velocities.
    place(f, 0, 6000, 2000, 30000, 0);
    place(f, 1, 6000, 2000, 0, -20000);
    ASSERT_TRUE(f.callProcedure("CheckCollisions"));
    expectBall(f, 0, 6000, 2000, 30000, 0);
    expectBall(f, 1, 6000, 2000, 0, -20000);
}

}  // namespace
}  // namespace vorl
