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
    // The source's whole state, and a way back to it: a saved game restored
    // draws the same numbers from then on as the game that went on.
    virtual std::uint32_t state() const = 0;
    virtual void restore(std::uint32_t state) = 0;
};

// A small deterministic generator (a 32-bit linear congruential step whose
// top 24 bits become the float), so that a run can be replayed from a seed.
class SeededRandom final : public RandomSource {
  public:
    explicit SeededRandom(std::uint32_t seed = 0) : state_(seed) {}
    void seed(std::uint32_t state) { state_ = state; }
    float next() override {
        state_ = state_ * 1664525u + 1013904223u;
        // 24 bits fit a float's significand exactly, so the result is below 1.
        return static_cast<float>(state_ >> 8) * (1.0f / 16777216.0f);
    }
    std::uint32_t state() const override { return state_; }
    void restore(std::uint32_t state) override { state_ = state; }

  private:
    std::uint32_t state_;
};

}  // namespace vorl
