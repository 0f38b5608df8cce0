// SPDX-License-Identifier: MIT
#include "core/game/rules/random_colour.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "core/numeric/rounding.h"

namespace vorl {
namespace {

std::int16_t saturate16(std::int32_t v) {
    return static_cast<std::int16_t>(std::clamp<std::int32_t>(
        v, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

}  // namespace

std::int16_t randomIntFrom(float r, std::int16_t lower, std::int16_t upper) {
    const std::int16_t d = saturate16(std::int32_t{upper} - std::int32_t{lower});
    return saturate16(toInt32(static_cast<double>(r) * d + lower));
}

char hexDigit(std::int16_t n) {
    return "0123456789ABCDEF"[std::clamp<std::int16_t>(n, 0, 15)];
}

Colour colourFromHexText(std::string_view digits) {
    Colour value = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    return value & 0xFFFFFF;
}

}  // namespace vorl
