// SPDX-License-Identifier: MIT
#include "core/numeric/saturating_counter.h"

#include <limits>

namespace vorl {

std::int16_t increment16(std::int16_t v) {
    return v == std::numeric_limits<std::int16_t>::max() ? v : static_cast<std::int16_t>(v + 1);
}

}  // namespace vorl
