// SPDX-License-Identifier: MIT
#include "game/form1.h"

namespace vorl {
namespace {

// The new rack's spots and colours. They differ from the opening layout in
// the cue ball's Top, the rings of balls 10 and 11 and the cue line's colour.
constexpr float kCueSpotLeft = 8760;
constexpr float kCueSpotTop = 3000;
constexpr Colour kCloth = 0x008000;    // green
constexpr Colour kRail = 0x0040C0;     // brown
constexpr Colour kCueLine = 0x0000FF;  // red
constexpr Colour kPocket = 0x000000;   // black

struct Spot {
    float left;
    float top;
};
constexpr Spot kRackSpots[15] = {
    {4440, 3000}, {3960, 2760}, {3960, 3240}, {3600, 2520}, {3240, 2760},
    {3600, 3480}, {3240, 2280}, {3600, 3000}, {3240, 3240}, {3240, 3720},
    {2760, 2040}, {2760, 2520}, {2760, 3000}, {2760, 3480}, {2760, 3960},
};
// Fills of the solid balls 0 to 7, then rings of balls 8 to 14.
constexpr Colour kSolidFills[8] = {0x00FFFF, 0x800000, 0x0000C0, 0x800080,
                                     0x0080FF, 0x004000, 0x000040, 0x000000};
constexpr Colour kRingBorders[7] = {0x00FFFF, 0x800000, 0x00FFFF, 0x0000C0,
                                      0x000040, 0x0080FF, 0x004000};

}  // namespace

// Puts a fresh rack on the table, every ball at rest, the colours that play
// and the menus change restored, counters and tallies cleared. The turn, the
// shot flag, the help panel and the stroke labels are left as they are (the
// next tick writes the zeroed counters into the labels).
void Form1::NewGame() {
    ball[kCueBall].Left = kCueSpotLeft;
    ball[kCueBall].Top = kCueSpotTop;
    lineCue.Visible = true;
    shpTableLay1.FillColor = kCloth;
    shpTableLay1.BorderColor = kRail;
    lineCue.BorderColor = kCueLine;
    p2Clicks = 0;
    p1Clicks = 0;
    for (int i = 0; i < kObjectBallCount; ++i) {
        ball[i].Left = kRackSpots[i].left;
        ball[i].Top = kRackSpots[i].top;
        ball[i].Visible = true;
    }
    ballVel[kCueBall] = BallVelocity{};
    ball[kCueBall].Left = kCueSpotLeft;
    ball[kCueBall].Top = kCueSpotTop;
    for (int i = 0; i < kObjectBallCount; ++i) {
        ballVel[i] = BallVelocity{};
    }
    for (ShapeControl& pocket : Pcoket) {
        pocket.FillColor = kPocket;
    }
    for (int i = 0; i <= 7; ++i) {
        ball[i].FillColor = kSolidFills[i];
    }
    for (int i = 8; i <= 14; ++i) {
        ball[i].BorderColor = kRingBorders[i - 8];
    }
    ballsSunk = 0;
    lblP1BC.Caption = "";
    lblP2BC.Caption = "";
}

}  // namespace vorl
