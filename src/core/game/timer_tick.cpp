// SPDX-License-Identifier: MIT
#include <string>

#include "core/game/form1.h"
#include "core/game/table_facts.h"
#include "core/numeric/fixed_point.h"

namespace vorl {
namespace {

// Every velocity loses 2% per tick.
constexpr double kFriction = 0.98;
// The cue ball counts as at rest at 0.1 twip per tick or less on each axis.
constexpr Fixed kRestSpeed = Fixed::fromUnits(1000);

constexpr Colour kTurnColour = table::kRed;

}  // namespace

// One step of the game: the phases run in this order, and each sees what the
// earlier ones left.
void Form1::Timer1_Timer() {
    moveBalls();
    applyFriction();
    CheckCushions();
    CheckCueBallSunk();
    CheckBallsSunk();
    showStrokeCounts();
    checkCueBallAtRest();
    CheckCollisions();
    if (ballsSunk == kObjectBallCount - 1) {  // one object ball left
        finalBallColours();
    }
    CheckWinner();
    showTurn();
}

// Moves every ball, hidden ones too, by its velocity. The old position is
// taken to four decimals before the velocity is added.
void Form1::moveBalls() {
    for (int i = 0; i < kBallCount; ++i) {
        ball[i].Left = toFloat(floatToFixed(ball[i].Left) + ballVel[i].vx);
        ball[i].Top = toFloat(floatToFixed(ball[i].Top) + ballVel[i].vy);
    }
}

// Damps every velocity. Below 0.0025 the rounding gives the speed back, so
// friction alone never quite stops a ball.
void Form1::applyFriction() {
    for (BallVelocity& v : ballVel) {
        v.vx = toFixed(asDouble(v.vx) * kFriction);
        v.vy = toFixed(asDouble(v.vy) * kFriction);
    }
}

void Form1::showStrokeCounts() {
    lblP1CC.Caption = std::to_string(p1Clicks);
    lblP2CC.Caption = std::to_string(p2Clicks);
}

// Ends the shot once the cue ball has (almost) stopped, whatever the object
// balls are doing, and nudges it by its remaining creep.
void Form1::checkCueBallAtRest() {
    const BallVelocity& v = ballVel[kCueBall];
    if (absFixed(v.vx) > kRestSpeed || absFixed(v.vy) > kRestSpeed) {
        return;
    }
    shotActive = 0;
    lineCue.Visible = true;
    ShapeControl& cue = ball[kCueBall];
    cue.Left = static_cast<float>(static_cast<double>(cue.Left) + asDouble(v.vx) * kFriction);
    cue.Top = static_cast<float>(static_cast<double>(cue.Top) + asDouble(v.vy) * kFriction);
}

// The player to move has a red name label.
void Form1::showTurn() {
    if (curPlayer == 1) {
        lblNamePl1.BackColor = kTurnColour;
        lblNamePl2.BackColor = COLOR_BTNFACE;
    } else if (curPlayer == 2) {
        lblNamePl2.BackColor = kTurnColour;
        lblNamePl1.BackColor = COLOR_BTNFACE;
    }
}

}  // namespace vorl
