#pragma once

#include <cstdint>

namespace vorl {

// Nearest integer, ties to even, clamped to the int32 range; NaN gives 0.
std::int32_t toInt32(double x);

// One more on a 16-bit counter; at 32767 the counter stays put so that a
// very long session keeps running.
std::int16_t increment16(std::int16_t v);

}  // namespace vorl
