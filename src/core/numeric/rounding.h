// SPDX-License-Identifier: MIT
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "core/numeric/float_rules.h"

namespace vorl {

// Nearest whole number, ties to even: what std::nearbyint gives in the
// default rounding mode, without a library call. Below 2^52 adding 2^52
// (sign matched) leaves no bits for a fraction, so the addition itself
// rounds; from 2^52 up every double is whole already. A zero may lose its
// sign; infinities and NaN come back as they are.
inline double roundHalfEven(double x) {
    constexpr double kTwoTo52 = 4503599627370496.0;
    if (std::fabs(x) < kTwoTo52) {
        const double shift = std::copysign(kTwoTo52, x);
        return (x + shift) - shift;
    }
    return x;
}

// Below 2^51 in magnitude, x plus 1.5 * 2^52 lies where doubles are whole
// numbers apart, so the addition itself rounds x to the nearest integer, ties
// to even, and leaves that integer in the low bits of the sum: the shortcut
// the conversions below take for every value a game meets.
inline constexpr double kRoundingShift = 6755399441055744.0;

inline std::int64_t roundedLowBits(double x) {
    const double shifted = x + kRoundingShift;
    // Through memcpy: the library of one of our targets has no std::bit_cast.
    std::int64_t bits;
    std::int64_t shiftBits;
    std::memcpy(&bits, &shifted, sizeof bits);
    std::memcpy(&shiftBits, &kRoundingShift, sizeof shiftBits);
    return bits - shiftBits;
}

// Nearest integer, ties to even, clamped to the int32 range; NaN gives 0.
// Inline: the pocket checks convert every ball's edges on every tick.
inline std::int32_t toInt32(double x) {
    if (std::fabs(x) <= 2147483647.0) {
        return static_cast<std::int32_t>(roundedLowBits(x));
    }
    const double r = roundHalfEven(x);
    if (std::isnan(r)) {
        return 0;
    }
    if (r >= static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (r <= static_cast<double>(std::numeric_limits<std::int32_t>::min())) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(r);
}

}  // namespace vorl
