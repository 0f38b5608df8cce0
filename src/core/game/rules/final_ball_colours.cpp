// SPDX-License-Identifier: MIT
#include <string>

#include "core/game/form1.h"
#include "core/game/rules/random_colour.h"

namespace vorl {

std::int16_t Form1::RandomInt(const std::int16_t& lower, const std::int16_t& upper) {
    return randomIntFrom(random_.next(), lower, upper);
}

std::string Form1::RandomHexColor() {
    static constexpr std::int16_t kLowest = 0;
    static constexpr std::int16_t kHighest = 15;
    std::string digits;
    for (int i = 0; i < 6; ++i) {
        digits += hexDigit(RandomInt(kLowest, kHighest));
    }
    return digits;
}

// With one object ball left the table is repainted at random on every tick,
// to make that ball harder to see: 23 colours in a fixed order, 138 draws.
// Hidden balls are recoloured too; the cue ball never is.
void Form1::finalBallColours() {
    shpTableLay1.FillColor = colourFromHexText(RandomHexColor());
    for (int i = 0; i < kFirstRing; ++i) {
        ball[i].FillColor = colourFromHexText(RandomHexColor());
    }
    for (int i = kFirstRing; i < kObjectBallCount; ++i) {
        ball[i].BorderColor = colourFromHexText(RandomHexColor());
    }
    shpTableLay1.BorderColor = colourFromHexText(RandomHexColor());
    for (ShapeControl& pocket : Pcoket) {
        pocket.FillColor = colourFromHexText(RandomHexColor());
    }
}

}  // namespace vorl
