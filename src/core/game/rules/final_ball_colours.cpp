// SPDX-License-Identifier: MIT
#include <algorithm>

#include "core/game/form1.h"

namespace vorl {

// Six hexadecimal digits, drawn one by one with the first leftmost, and the
// colour they spell: the first two are the blue byte, the middle two green,
// the last two red. The digits go straight into the number, never through
// text.
Colour Form1::RandomHexColor() {
    static constexpr std::int16_t kLowest = 0;
    static constexpr std::int16_t kHighest = 15;
    Colour colour = 0;
    for (int i = 0; i < 6; ++i) {
        const std::int16_t digit = std::clamp(RandomInt(kLowest, kHighest), kLowest, kHighest);
        colour = colour << 4 | static_cast<Colour>(digit);
    }
    return colour;
}

// With one object ball left the table is repainted at random on every tick,
// to make that ball harder to see: 23 colours in a fixed order, 138 draws.
// Hidden balls are recoloured too; the cue ball never is.
void Form1::finalBallColours() {
    shpTableLay1.FillColor = RandomHexColor();
    for (int i = 0; i < kFirstRing; ++i) {
        ball[i].FillColor = RandomHexColor();
    }
    for (int i = kFirstRing; i < kObjectBallCount; ++i) {
        ball[i].BorderColor = RandomHexColor();
    }
    shpTableLay1.BorderColor = RandomHexColor();
    for (ShapeControl& pocket : Pcoket) {
        pocket.FillColor = RandomHexColor();
    }
}

}  // namespace vorl
