// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/runtime/colour.h"

namespace vorl {

// The whole number nearest r * (upper - lower) + lower, worked in double,
// ties to even. For r in [0, 1) and bounds 0 and 15 the end values are half
// as likely as the others.
std::int16_t randomIntFrom(float r, std::int16_t lower, std::int16_t upper);

// "0".."9" for 0 to 9, "A".."F" for 10 to 15.
char hexDigit(std::int16_t n);

// Six hexadecimal digits read as one number: the first two are the blue
// byte, the middle two green, the last two red.
Colour colourFromHexText(std::string_view digits);

}  // namespace vorl
