// SPDX-License-Identifier: MIT
// When ticks run: the schedule a front-end's timer follows, and the rest
// that lets it stop.
#include <gtest/gtest.h>

#include <chrono>

#include "core/driver/tick_schedule.h"
#include "support/game.h"

namespace vorl {
namespace {

using namespace std::chrono_literals;

// Catches a timer that runs at a whole-millisecond period (62.5 or 66.7 a second)
// instead of 64 a second on average.
TEST(TickSchedule, AveragesSixtyFourTicksASecondInWholeMilliseconds) {
    std::chrono::nanoseconds deadline{0};
    std::chrono::nanoseconds now{0};
    for (int tick = 0; tick < 64; ++tick) {
        const TickSchedule next = nextTick(deadline, now);
        EXPECT_GE(next.waitMs, 15);
        EXPECT_LE(next.waitMs, 16);
        deadline = next.deadline;
        now += std::chrono::milliseconds(next.waitMs);
    }
    EXPECT_GE(now, 1000ms);
    EXPECT_LT(now, 1001ms);
}

// Catches catch-up bursts after a long tick, and a lost average after a slightly late one.
TEST(TickSchedule, FarBehindRestartsFromNowAndSlightlyBehindFiresAtOnce) {
    const auto period = kTickPeriod;
    const TickSchedule restarted = nextTick(0ns, 5s, period);
    EXPECT_EQ(restarted.deadline, 5s + period);
    EXPECT_EQ(restarted.waitMs, 16);
    const TickSchedule late = nextTick(0ns, 20ms, period);
    EXPECT_EQ(late.deadline, period);
    EXPECT_EQ(late.waitMs, 0);
}

// Catches a rest check that misses a change (a label the first tick fills
// in, a zero losing its sign, a creeping ball, the last-ball colours' draws)
// or lets a form that cannot tell its state stop its timer.
TEST(RestWatch, OnlyATickThatChangesNothingIsAtRest) {
    testing::Game game;
    RestWatch rest;
    EXPECT_FALSE(rest.tick(game.form));  // the stroke counts appear
    EXPECT_TRUE(rest.tick(game.form));
    game.form.ball[0].Left = -0.0f;  // the move step makes it +0
    EXPECT_FALSE(rest.tick(game.form));
    EXPECT_TRUE(rest.tick(game.form));
    game.form.ballVel[3].vy = testing::units(24);  // friction never slows it further
    EXPECT_FALSE(rest.tick(game.form));

    testing::Game cycling;
    cycling.form.ballsSunk = 14;
    EXPECT_FALSE(rest.tick(cycling.form));
    testing::RecordingForm blind;
    EXPECT_FALSE(rest.tick(blind));
}

// Catches a tick skipped while it would still have changed something: a
// front-end that sleeps through long pauses between strokes ends bit for bit
// where one that ticks every period ends, as the replay tool does.
TEST(RestWatch, SleepingThroughLongPausesEndsWhereTickingEveryPeriodEnds) {
    testing::Game sleeping, ticking;
    RestWatch rest;
    bool asleep = false;
    int slept = 0;
    const auto pause = [&](int periods) {
        for (int i = 0; i < periods; ++i) {
            ticking.form.Timer1_Timer();
            slept += asleep ? 1 : 0;
            asleep = asleep || rest.tick(sleeping.form);
        }
    };
    const auto input = [&](auto handler) {
        handler(sleeping.form);
        handler(ticking.form);
        asleep = false;
        pause(2000);
    };
    const auto stroke = [&](float x, float y) {
        input([x, y](Form1& f) {
            f.Form_MouseMove(0, 0, x, y);
            f.Form_MouseDown(1, 0, x, y);
        });
    };
    pause(2000);
    stroke(7777, 4387);   // a scratch into the top-right pocket: at rest again
    stroke(7777, 4267);   // the same from the cue ball's spot
    stroke(10500, 3300);  // the break: the balls creep on and on
    input([](Form1& f) { f.mnuReset_Click(); });
    stroke(9500, 4000);
    FormState sleptThrough, tickedThrough;
    ASSERT_TRUE(sleeping.form.saveState(sleptThrough));
    ASSERT_TRUE(ticking.form.saveState(tickedThrough));
    EXPECT_TRUE(sleptThrough == tickedThrough);
    EXPECT_GT(slept, 6000);
}

}  // namespace
}  // namespace vorl
