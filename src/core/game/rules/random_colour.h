// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

#include "core/numeric/rounding.h"

namespace vorl {

// The whole number nearest r * (upper - lower) + lower, worked in double,
// ties to even. For r in [0, 1) and bounds 0 and 15 the end values are half
// as likely as the others. Inline: the last-ball colours draw 138 a tick.
inline std::int16_t randomIntFrom(float r, std::int16_t lower, std::int16_t upper) {
    const auto saturate16 = [](std::int32_t v) {
        return static_cast<std::int16_t>(std::clamp<std::int32_t>(
            v, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
    };
    const std::int16_t d = saturate16(std::int32_t{upper} - std::int32_t{lower});
    return saturate16(toInt32(static_cast<double>(r) * d + lower));
}

}  // namespace vorl
