// SPDX-License-Identifier: MIT
#include "core/game/form1.h"
#include "core/game/rules/pocket_overlap.h"
#include "core/game/table_facts.h"

namespace vorl {

// A scratch: the cue ball over any pocket stops, goes back to its spot and
// ends the shot; the player to move is charged a stroke and the turn passes.
// Every pocket is tried with the cue ball where it then is, so one scratch
// costs one stroke even over two pockets.
void Form1::CheckCueBallSunk() {
    ShapeEdges cueEdges = shapeEdges(ball[kCueBall]);
    for (int k = 0; k < kPocketCount; ++k) {
        if (!mayOverlap(cueEdges, shapeEdges(Pcoket[k])) ||
            !overlap(shapeRect(ball[kCueBall]), shapeRect(Pcoket[k]))) {
            continue;
        }
        ballVel[kCueBall] = BallVelocity{};
        ball[kCueBall].Left = table::kCueBallSpot.left;
        ball[kCueBall].Top = table::kCueBallSpot.top;
        cueEdges = shapeEdges(ball[kCueBall]);
        lineCue.Visible = true;
        shotActive = 0;
        // The penalty goes to the player who scratched, before the turn passes.
        countStroke();
        if (curPlayer == 2) {
            curPlayer = 1;
        } else if (curPlayer == 1) {
            curPlayer = 2;
        }
    }
}

}  // namespace vorl
