// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <limits>

namespace vorl {

// One more on a 16-bit counter; at 32767 the counter stays put so that a
// very long session keeps running.
inline std::int16_t increment16(std::int16_t v) {
    return v == std::numeric_limits<std::int16_t>::max() ? v : static_cast<std::int16_t>(v + 1);
}

}  // namespace vorl
