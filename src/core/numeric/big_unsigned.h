// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>

namespace vorl {

// A whole number of up to 4096 bits, just what the exact decimal conversions
// of floats and doubles need: products by small numbers and powers, shifts,
// sums, differences and comparisons, all exact. The callers bound their
// numbers below the capacity; going past it is a defect and aborts.
class BigUnsigned {
  public:
    static constexpr int kLimbBits = 32;
    static constexpr int kLimbs = 128;

    BigUnsigned() = default;
    explicit BigUnsigned(std::uint64_t value);
    BigUnsigned(const BigUnsigned& other) { *this = other; }
    BigUnsigned& operator=(const BigUnsigned& other);

    bool isZero() const { return size_ == 0; }
    // The number of bits up to the highest one set; 0 for zero.
    int bitLength() const;

    BigUnsigned& multiplyBy(std::uint32_t factor);
    BigUnsigned& multiplyByPowerOf10(int exponent);
    BigUnsigned& shiftLeft(int bits);
    BigUnsigned& shiftRightOne();
    BigUnsigned& add(const BigUnsigned& other);
    // Requires other <= *this.
    BigUnsigned& subtract(const BigUnsigned& other);
    // Divides in place and returns the remainder; divisor > 0.
    std::uint32_t divideBy(std::uint32_t divisor);
    // Leaves *this mod divisor and returns *this / divisor, which must be
    // below 2^28: a decimal digit, when *this < 10 * divisor.
    std::uint32_t takeMultiplesOf(const BigUnsigned& divisor);

    // -1, 0 or 1 as a is below, equal to or above b.
    friend int compare(const BigUnsigned& a, const BigUnsigned& b);

  private:
    void trim();
    void grow(int size);
    // The 64 bits from bit `from` up.
    std::uint64_t bitsFrom(int from) const;
    // *this -= other * factor; requires the product <= *this.
    void subtractMultiple(const BigUnsigned& other, std::uint32_t factor);

    // Little-endian; limbs at and above size_ are never read.
    std::array<std::uint32_t, kLimbs> limbs_;
    int size_ = 0;
};

}  // namespace vorl
