// SPDX-License-Identifier: MIT
#include "core/game/physics/contact.h"

#include <cmath>

namespace vorl {
namespace {

// A shape coordinate moved back or forward along a velocity for t ticks,
// worked in double and stored back as a float.
float rewound(float position, Fixed velocity, double t) {
    return static_cast<float>(static_cast<double>(position) - asDouble(velocity) * t);
}

float advanced(float position, Fixed velocity, double t) {
    return static_cast<float>(static_cast<double>(position) + asDouble(velocity) * t);
}

}  // namespace

void collide(ShapeControl& ballA, BallVelocity& velA, ShapeControl& ballB, BallVelocity& velB,
             float dx, float dy, float d2, double reach) {
    const double d = std::sqrt(static_cast<double>(d2));
    // Balls on the very same spot have no line between them: only parked
    // balls meet like this, and they are left alone.
    if (d == 0) {
        return;
    }
    if (!(d < reach)) {
        return;
    }
    const Fixed vxa = velA.vx;
    const Fixed vya = velA.vy;
    const Fixed vxb = velB.vx;
    const Fixed vyb = velB.vy;

    // Speeds along the line from a to b; their difference closes the gap.
    const double pa =
        asDouble(toFixed(asDouble(vxa) * dx)) / d + asDouble(toFixed(asDouble(vya) * dy)) / d;
    const double pb =
        asDouble(toFixed(asDouble(vxb) * dx)) / d + asDouble(toFixed(asDouble(vyb) * dy)) / d;
    // Ticks since the balls touched; with no closing speed, none.
    const double t = pa - pb != 0 ? (reach - d) / (pa - pb) : 0.0;

    // Rewind both balls to the moment they touched.
    ballA.Left = rewound(ballA.Left, vxa, t);
    ballA.Top = rewound(ballA.Top, vya, t);
    ballB.Left = rewound(ballB.Left, vxb, t);
    ballB.Top = rewound(ballB.Top, vyb, t);

    // Split the velocities along the line (n) and across it (t).
    const double c = dx / d;
    const Fixed s = toFixed(dy / d);
    const Fixed na = toFixed(asDouble(vxa) * c) + mulFixed(vya, s);
    const Fixed ta = mulFixed(-vxa, s) + toFixed(asDouble(vya) * c);
    const Fixed nb = toFixed(asDouble(vxb) * c) + mulFixed(vyb, s);
    const Fixed tb = mulFixed(-vxb, s) + toFixed(asDouble(vyb) * c);

    // Equal masses, restitution 1: the normal components change hands.
    const Fixed naNew = nb;
    const Fixed nbNew = na;

    velA.vx = toFixed(asDouble(naNew) * c) - mulFixed(ta, s);
    velA.vy = mulFixed(naNew, s) + toFixed(asDouble(ta) * c);
    velB.vx = toFixed(asDouble(nbNew) * c) - mulFixed(tb, s);
    velB.vy = mulFixed(nbNew, s) + toFixed(asDouble(tb) * c);

    // Advance both balls by the same time with their new velocities.
    ballA.Left = advanced(ballA.Left, velA.vx, t);
    ballA.Top = advanced(ballA.Top, velA.vy, t);
    ballB.Left = advanced(ballB.Left, velB.vx, t);
    ballB.Top = advanced(ballB.Top, velB.vy, t);
}

}  // namespace vorl
