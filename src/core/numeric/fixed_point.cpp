// SPDX-License-Identifier: MIT
#include "core/numeric/fixed_point.h"

namespace vorl {
namespace {

constexpr std::uint64_t kScale = 10000;
constexpr std::uint64_t kLow32 = 0xFFFFFFFF;

// A product of two 64-bit magnitudes as four 32-bit limbs, most
// significant first, formed from 32-bit halves so that no type wider than
// 64 bits is needed.
struct Wide {
    std::uint64_t limbs[4];
};

Wide wideProduct(std::uint64_t x, std::uint64_t y) {
    const std::uint64_t ll = (x & kLow32) * (y & kLow32);
    const std::uint64_t lh = (x & kLow32) * (y >> 32);
    const std::uint64_t hl = (x >> 32) * (y & kLow32);
    const std::uint64_t hh = (x >> 32) * (y >> 32);
    const std::uint64_t mid = (ll >> 32) + (lh & kLow32) + (hl & kLow32);
    const std::uint64_t high = hh + (lh >> 32) + (hl >> 32) + (mid >> 32);
    return Wide{{high >> 32, high & kLow32, mid & kLow32, ll & kLow32}};
}

std::uint64_t magnitude(std::int64_t v) {
    return v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
}

// The signed units for a magnitude with its sign, clamped to the range.
std::int64_t signedUnits(bool overflow, std::uint64_t m, bool negative) {
    constexpr std::uint64_t kMaxMagnitude = static_cast<std::uint64_t>(detail::kUnitsMax);
    if (negative) {
        return overflow || m > kMaxMagnitude ? detail::kUnitsMin : -static_cast<std::int64_t>(m);
    }
    return overflow || m > kMaxMagnitude ? detail::kUnitsMax : static_cast<std::int64_t>(m);
}

}  // namespace

Fixed mulFixed(Fixed a, Fixed b) {
    const std::uint64_t x = magnitude(a.units());
    const std::uint64_t y = magnitude(b.units());
    const bool negative = (a.units() < 0) != (b.units() < 0);
    // Game speeds are far below 2^32 units, where the product fits in 64
    // bits and one division does; absurd ones divide four limbs in turn.
    std::uint64_t quotient = 0;
    std::uint64_t remainder = 0;
    bool overflow = false;
    if (((x | y) >> 32) == 0) {
        const std::uint64_t product = x * y;
        quotient = product / kScale;
        remainder = product % kScale;
    } else {
        const Wide p = wideProduct(x, y);
        std::uint64_t limbs[4];
        for (int i = 0; i < 4; ++i) {
            const std::uint64_t current = (remainder << 32) | p.limbs[i];
            limbs[i] = current / kScale;
            remainder = current % kScale;
        }
        overflow = limbs[0] != 0 || limbs[1] != 0;
        quotient = (limbs[2] << 32) | limbs[3];
    }
    // Halves to even; the magnitude rounds as the signed value would.
    if (2 * remainder > kScale || (2 * remainder == kScale && quotient % 2 == 1)) {
        ++quotient;
        overflow = overflow || quotient == 0;
    }
    return Fixed::fromUnits(signedUnits(overflow, quotient, negative));
}

}  // namespace vorl
