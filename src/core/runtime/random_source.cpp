// SPDX-License-Identifier: MIT
#include "core/runtime/random_source.h"

namespace vorl {

float SeededRandom::next() {
    state_ = state_ * 1664525u + 1013904223u;
    // 24 bits fit a float's significand exactly, so the result is below 1.
    return static_cast<float>(state_ >> 8) * (1.0f / 16777216.0f);
}

}  // namespace vorl
