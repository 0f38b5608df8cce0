// SPDX-License-Identifier: MIT
#pragma once

#include "core/game/form1.h"

namespace vorl {

// Ball a against ball b once their squared corner distance d2 (from dx and
// dy, b's corner less a's) has come out below the square of the reach, a's
// diameter. Most such pairs do touch: those rewind to the moment they
// touched, swap their velocity components along the line between them and
// advance again by the same time. The collision pass calls it for the few
// pairs that come this close; in a file of its own, it stays out of the
// pass's loop over the far pairs with every compiler.
void collide(ShapeControl& ballA, BallVelocity& velA, ShapeControl& ballB, BallVelocity& velB,
             float dx, float dy, float d2, double reach);

}  // namespace vorl
