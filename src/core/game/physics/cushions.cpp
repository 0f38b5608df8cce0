// SPDX-License-Identifier: MIT
#include "core/game/form1.h"

namespace vorl {

// Turns back every ball that touches or crosses a side of the playing area:
// the component across that side gets the sign pointing into the table, its
// size unchanged. Only the first side found counts, tried right, left,
// bottom, top, so in a corner the side rails win. Positions are left alone;
// a ball already heading back keeps its velocity.
void Form1::CheckCushions() {
    for (int i = 0; i < kBallCount; ++i) {
        const ShapeControl& b = ball[i];
        BallVelocity& v = ballVel[i];
        // The limits are read afresh for every ball, as floats.
        const float leftLimit = shpBorder.Left;
        const float topLimit = shpBorder.Top;
        const float rightLimit = shpBorder.Left + shpBorder.Width;
        const float bottomLimit = shpBorder.Top + shpBorder.Height;
        const float rightEdge = b.Left + b.Width;
        const float bottomEdge = b.Top + b.Height;

        if (rightEdge >= rightLimit) {
            v.vx = -absFixed(v.vx);
        } else if (b.Left <= leftLimit) {
            v.vx = absFixed(v.vx);
        } else if (bottomEdge >= bottomLimit) {
            v.vy = -absFixed(v.vy);
        } else if (b.Top <= topLimit) {
            v.vy = absFixed(v.vy);
        }
    }
}

}  // namespace vorl
