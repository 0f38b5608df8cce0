// SPDX-License-Identifier: MIT
#include "core/game/form1.h"
#include "core/game/table_facts.h"

namespace vorl {

// Puts a fresh rack on the table, every ball at rest, the colours that play
// and the menus change restored, counters and tallies cleared. The turn, the
// shot flag, the help panel and the stroke labels are left as they are (the
// next tick writes the zeroed counters into the labels).
void Form1::NewGame() {
    ball[kCueBall].Left = table::kCueBallSpot.left;
    ball[kCueBall].Top = table::kCueBallSpot.top;
    lineCue.Visible = true;
    shpTableLay1.FillColor = table::kCloth;
    shpTableLay1.BorderColor = table::kRail;
    lineCue.BorderColor = table::kNewGameCueLine;
    p2Clicks = 0;
    p1Clicks = 0;
    for (int i = 0; i < kObjectBallCount; ++i) {
        ball[i].Left = table::kRackSpots[i].left;
        ball[i].Top = table::kRackSpots[i].top;
        ball[i].Visible = true;
    }
    ballVel[kCueBall] = BallVelocity{};
    ball[kCueBall].Left = table::kCueBallSpot.left;
    ball[kCueBall].Top = table::kCueBallSpot.top;
    for (int i = 0; i < kObjectBallCount; ++i) {
        ballVel[i] = BallVelocity{};
    }
    for (ShapeControl& pocket : Pcoket) {
        pocket.FillColor = table::kPocket;
    }
    for (int i = 0; i < kFirstRing; ++i) {
        ball[i].FillColor = table::kSolidColours[i];
    }
    for (int i = kFirstRing; i < kObjectBallCount; ++i) {
        ball[i].BorderColor = table::kNewGameRingColours[i - kFirstRing];
    }
    ballsSunk = 0;
    lblP1BC.Caption = "";
    lblP2BC.Caption = "";
}

}  // namespace vorl
