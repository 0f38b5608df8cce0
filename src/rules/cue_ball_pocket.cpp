// SPDX-License-Identifier: MIT
#include "game/form1.h"
#include "platform/saturating_counter.h"
#include "rules/pocket_overlap.h"

namespace vorl {
namespace {

// Where a pocketed cue ball comes back (its top-left corner).
constexpr float kCueSpotLeft = 8760;
constexpr float kCueSpotTop = 3000;

}  // namespace

// A scratch: the cue ball over any pocket stops, goes back to its spot and
// ends the shot; the player to move is charged a stroke and the turn passes.
// Every pocket is tried with the cue ball where it then is, so one scratch
// costs one stroke even over two pockets.
void Form1::CheckCueBallSunk() {
    RECT cueRect = shapeRect(ball[kCueBall]);
    for (int k = 0; k < kPocketCount; ++k) {
        if (!overlap(cueRect, shapeRect(Pcoket[k]))) {
            continue;
        }
        ballVel[kCueBall] = BallVelocity{};
        ball[kCueBall].Left = kCueSpotLeft;
        ball[kCueBall].Top = kCueSpotTop;
        cueRect = shapeRect(ball[kCueBall]);
        lineCue.Visible = true;
        shotActive = 0;
        // The penalty goes to the player who scratched, before the turn passes.
        if (curPlayer == 1) {
            p1Clicks = increment16(p1Clicks);
        } else if (curPlayer == 2) {
            p2Clicks = increment16(p2Clicks);
        }
        if (curPlayer == 2) {
            curPlayer = 1;
        } else if (curPlayer == 1) {
            curPlayer = 2;
        }
    }
}

}  // namespace vorl
