// SPDX-License-Identifier: MIT
#include "core/game/form1.h"
#include "core/game/physics/contact.h"

namespace vorl {

// Resolves contacts between balls as elastic collisions of equal masses.
// Every ordered pair (a, b), a != b, is visited in index order, 240 visits,
// each seeing what the earlier ones left. The contact distance is the first
// ball's diameter, measured between top-left corners. A contact rewinds both
// balls to the moment they touched, swaps their velocity components along
// the line between them (keeping the tangential ones) and advances them
// again by the same time, leaving them apart.
void Form1::CheckCollisions() {
    for (int a = 0; a < kBallCount; ++a) {
        ShapeControl& ballA = ball[a];
        // Nothing in the pass changes a width, so the reach is ball a's for
        // every visit. Its square in double is exact (a float has 24 bits).
        const float r = ballA.Width / 2;
        const double reach = static_cast<double>(r + r);
        const double reachSquared = reach * reach;
        // Most pairs are far apart: settle them without the square root. A
        // correctly rounded root is below the reach only when its argument
        // is below the exact square, so no contact is lost.
        const auto visit = [&](int b) {
            ShapeControl& ballB = ball[b];
            const float dx = ballB.Left - ballA.Left;
            const float dy = ballB.Top - ballA.Top;
            const float d2 = dx * dx + dy * dy;
            if (static_cast<double>(d2) < reachSquared) {
                collide(ballA, ballVel[a], ballB, ballVel[b], dx, dy, d2, reach);
            }
        };
        // The balls before a, then those after it.
        for (int b = 0; b < a; ++b) {
            visit(b);
        }
        for (int b = a + 1; b < kBallCount; ++b) {
            visit(b);
        }
    }
}

}  // namespace vorl
