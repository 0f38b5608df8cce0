// SPDX-License-Identifier: MIT
// Times the tick on a table at rest and on one where all sixteen balls roll
// just after the break, and the collision pass alone on that table.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/game/form1.h"
#include "support/game.h"

namespace {

using vorl::BallVelocity;
using vorl::Form1;

// The moving parts of the table, so every iteration can start from the same one.
struct BallState {
    std::array<float, Form1::kBallCount> left, top;
    std::array<bool, Form1::kBallCount> visible;
    std::array<BallVelocity, Form1::kBallCount> vel;

    static BallState of(const Form1& form) {
        BallState s;
        for (int i = 0; i < Form1::kBallCount; ++i) {
            s.left[i] = form.ball[i].Left;
            s.top[i] = form.ball[i].Top;
            s.visible[i] = form.ball[i].Visible;
        }
        s.vel = form.ballVel;
        return s;
    }

    void restore(Form1& form) const {
        for (int i = 0; i < Form1::kBallCount; ++i) {
            form.ball[i].Left = left[i];
            form.ball[i].Top = top[i];
            form.ball[i].Visible = visible[i];
        }
        form.ballVel = vel;
    }
};

// Without a window: every box closes at once and no exit comes.
struct Game : vorl::testing::GameWith<vorl::testing::SilentMessageBox, vorl::SeededRandom,
                                      vorl::testing::SilentProgramExit> {
    Game() { random.seed(1); }
};

bool allRolling(const Form1& form) {
    for (int i = 0; i < Form1::kBallCount; ++i) {
        if (!form.ball[i].Visible ||
            (form.ballVel[i].vx == vorl::Fixed() && form.ballVel[i].vy == vorl::Fixed())) {
            return false;
        }
    }
    return true;
}

// Breaks hard from the right and plays on to the first tick on which every
// ball is on the table and moving.
BallState afterTheBreak(Game& game) {
    game.form.Form_MouseMove(0, 0, 16000, 3247.5f);
    game.form.Form_MouseDown(1, 0, 0, 0);
    for (int tick = 0; tick < 400; ++tick) {
        game.form.Timer1_Timer();
        if (allRolling(game.form)) {
            return BallState::of(game.form);
        }
    }
    std::fprintf(stderr, "the break never set every ball rolling\n");
    std::abort();
}

void TickAtRest(benchmark::State& state) {
    Game game;
    for (auto _ : state) {
        game.form.Timer1_Timer();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(TickAtRest);

// Each iteration includes restoring the table, which RestoreOnly times alone.
void TickRolling(benchmark::State& state) {
    Game game;
    const BallState rolling = afterTheBreak(game);
    for (auto _ : state) {
        rolling.restore(game.form);
        game.form.Timer1_Timer();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(TickRolling);

void CollisionsRolling(benchmark::State& state) {
    Game game;
    const BallState rolling = afterTheBreak(game);
    for (auto _ : state) {
        rolling.restore(game.form);
        game.form.callProcedure("CheckCollisions");
        benchmark::ClobberMemory();
    }
}
BENCHMARK(CollisionsRolling);

void RestoreOnly(benchmark::State& state) {
    Game game;
    const BallState rolling = afterTheBreak(game);
    for (auto _ : state) {
        rolling.restore(game.form);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(RestoreOnly);

}  // namespace

BENCHMARK_MAIN();
