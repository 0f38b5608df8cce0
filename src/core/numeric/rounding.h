// SPDX-License-Identifier: MIT
#pragma once

#include <cmath>
#include <cstdint>
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

// Nearest integer, ties to even, clamped to the int32 range; NaN gives 0.
// Inline: the pocket checks convert every ball's edges on every tick.
inline std::int32_t toInt32(double x) {
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
