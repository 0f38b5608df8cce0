// SPDX-License-Identifier: MIT
#include "core/game/form1.h"
#include "core/numeric/saturating_counter.h"

namespace vorl {
namespace {

// The cue ball leaves at a tenth of the cue line's length per tick.
constexpr double kStrokeDivisor = 10.0;

}  // namespace

// Draws the cue line from the cue ball's centre to the pointer, whatever the
// state of the shot.
void Form1::Form_MouseMove(std::int16_t /*Button*/, std::int16_t /*Shift*/, float X, float Y) {
    const ShapeControl& cue = ball[kCueBall];
    lineCue.X2 = X;
    lineCue.Y2 = Y;
    lineCue.X1 = static_cast<float>(static_cast<double>(cue.Width) / 2.0 + cue.Left);
    lineCue.Y1 = static_cast<float>(static_cast<double>(cue.Height) / 2.0 + cue.Top);
}

// Strikes the cue ball away from the pointer along the line as last drawn;
// any button does it, and a press during a shot is ignored.
void Form1::Form_MouseDown(std::int16_t /*Button*/, std::int16_t /*Shift*/, float /*X*/,
                           float /*Y*/) {
    if (shotActive != 0) {
        return;
    }
    BallVelocity& v = ballVel[kCueBall];
    v.vy = toFixed((static_cast<double>(lineCue.Y1) - lineCue.Y2) / kStrokeDivisor);
    v.vx = toFixed((static_cast<double>(lineCue.X1) - lineCue.X2) / kStrokeDivisor);
    lineCue.Visible = false;
    shotActive = 1;
    countStroke();
}

// A stroke, or the penalty for a scratch, counts for the player to move.
void Form1::countStroke() {
    if (curPlayer == 1) {
        p1Clicks = increment16(p1Clicks);
    } else if (curPlayer == 2) {
        p2Clicks = increment16(p2Clicks);
    }
}

}  // namespace vorl
