// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace vorl {

// One more on a 16-bit counter; at 32767 the counter stays put so that a
// very long session keeps running.
std::int16_t increment16(std::int16_t v);

}  // namespace vorl
