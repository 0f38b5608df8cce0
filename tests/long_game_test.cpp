// SPDX-License-Identifier: MIT
// Long play in the sanitizer build: random strokes by both players, with the
// score and the table checked after every tick.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "support/game.h"
#include "support/table_check.h"

namespace vorl {
namespace {

using testing::Game;
using testing::units;

// Catches: double credits, lost tallies, a ball escaping the rules, a rack
// that ends without its message or never starts again, or any undefined
// behaviour the sanitizers see over thousands of shots.
TEST(LongGame, RandomStrokesKeepTheScoreAndTheTableSound) {
    std::mt19937 rng(20261208);
    std::uniform_real_distribution<float> pointerX(0, 19080);
    std::uniform_real_distribution<float> pointerY(0, 10680);
    long totalTicks = 0;
    constexpr int kStrokes = 3600;
    Game game;
    Form1& form = game.form;
    testing::RackRecord rack;
    for (int stroke = 0; stroke < kStrokes; ++stroke) {
        form.Form_MouseMove(0, 0, pointerX(rng), pointerY(rng));
        ASSERT_EQ(form.shotActive, 0) << "stroke " << stroke;
        form.Form_MouseDown(1, 0, 0, 0);
        // Play on until the shot ends, or a while longer for creeping balls.
        for (int t = 0; t < 1500 && (t < 40 || form.shotActive != 0); ++t) {
            const std::size_t boxes = game.messages.shown.size();
            form.Timer1_Timer();
            ++totalTicks;
            if (game.messages.shown.size() != boxes) {
                // The rack ended: one message, and the new rack is already up.
                ASSERT_EQ(game.messages.shown.size(), boxes + 1);
                ASSERT_EQ(form.ballsSunk, 0);
                ASSERT_EQ(form.p1Clicks + form.p2Clicks, 0);
                rack.newRack();
            }
            ASSERT_EQ(testing::tableFault(form, rack), "") << "tick " << totalTicks;
            rack.note(form);
        }
    }
    // Random strokes clear a rack now and then; a run without a single win
    // would mean the end of a rack is never reached.
    EXPECT_GE(game.messages.shown.size(), 2u);
    RecordProperty("ticks", static_cast<int>(totalTicks));
    RecordProperty("racksWon", static_cast<int>(game.messages.shown.size()));
}

// Catches: overflow or a crash when pocketed balls, parked together with the
// speeds they had, hop and fling each other.
TEST(LongGame, ParkedBallsWithLeftoverSpeedsNeverBreakTheTick) {
    Game game;
    Form1& form = game.form;
    std::mt19937 rng(7);
    std::uniform_int_distribution<std::int64_t> speed(-20000000, 20000000);
    for (int i = 0; i < Form1::kObjectBallCount; ++i) {
        form.ball[i].Left = -1000000000.0f;
        form.ball[i].Top = -1000000000.0f;
        form.ball[i].Visible = false;
        form.ballVel[i] = BallVelocity{units(speed(rng)), units(speed(rng))};
    }
    for (int t = 0; t < 5000; ++t) {
        form.Timer1_Timer();
    }
    for (int i = 0; i < Form1::kObjectBallCount; ++i) {
        EXPECT_FALSE(std::isnan(form.ball[i].Left)) << i;
        EXPECT_FALSE(std::isnan(form.ball[i].Top)) << i;
    }
    EXPECT_EQ(form.ballsSunk, 0);  // parked balls never reach a pocket again
}

// Catches: signed overflow (undefined behaviour) at the edges of the number
// formats: saturated speeds, positions at the float limits.
TEST(LongGame, AbsurdSpeedsAndPositionsSaturateInsteadOfOverflowing) {
    Game game;
    Form1& form = game.form;
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    form.ballVel[0] = BallVelocity{units(kMax), units(kMin)};
    form.ballVel[1] = BallVelocity{units(kMin), units(kMax)};
    form.ball[2].Left = std::numeric_limits<float>::max();
    form.ball[3].Top = -std::numeric_limits<float>::max();
    form.ball[4].Left = form.ball[5].Left;  // two balls overlapping exactly
    form.ball[4].Top = form.ball[5].Top;
    form.ballVel[4] = BallVelocity{units(kMax), units(kMax)};
    for (int t = 0; t < 200; ++t) {
        form.Timer1_Timer();
    }
    // The move step saturates a position at the largest fixed-point value.
    const float limit = toFloat(Fixed::fromUnits(kMax));
    EXPECT_LE(std::fabs(form.ball[2].Left), limit);
    EXPECT_TRUE(std::isfinite(form.ball[3].Top));
    EXPECT_EQ(form.p1Clicks, 0);
}

}  // namespace
}  // namespace vorl
