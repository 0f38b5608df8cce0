// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

#include "core/numeric/float_rules.h"

namespace vorl {

// A uniform source of 32-bit floats in [0, 1).
class RandomSource {
  public:
    virtual ~RandomSource() = default;
    virtual float next() = 0;
};

// A small deterministic generator (a 32-bit linear congruential step whose
// top 24 bits become the float), so that a run can be replayed from a seed.
class SeededRandom final : public RandomSource {
  public:
    explicit SeededRandom(std::uint32_t seed = 0) : state_(seed) {}
    void seed(std::uint32_t state) { state_ = state; }
    float next() override;

  private:
    std::uint32_t state_;
};

}  // namespace vorl
