// SPDX-License-Identifier: MIT
#pragma once

#include <cmath>
#include <compare>
#include <cstdint>
#include <limits>

#include "core/numeric/rounding.h"

namespace vorl {

// A velocity in twips per tick, held as a count of units of 0.0001.
// Sums, differences and negation saturate at the int64 range, so absurd
// velocities stay defined instead of wrapping.
class Fixed {
  public:
    constexpr Fixed() = default;
    static constexpr Fixed fromUnits(std::int64_t units) { return Fixed(units); }
    constexpr std::int64_t units() const { return units_; }

    friend Fixed operator+(Fixed a, Fixed b);
    friend Fixed operator-(Fixed a, Fixed b);
    Fixed operator-() const;

    friend constexpr auto operator<=>(Fixed a, Fixed b) = default;

  private:
    constexpr explicit Fixed(std::int64_t units) : units_(units) {}
    std::int64_t units_ = 0;
};

inline constexpr double kFixedScale = 10000.0;

// Nearest multiple of 0.0001, ties to even; saturates, NaN gives 0.
Fixed toFixed(double x);
double asDouble(Fixed v);
float toFloat(Fixed v);
Fixed floatToFixed(float f);
// The exact product rounded to four decimals, ties to even; saturates.
Fixed mulFixed(Fixed a, Fixed b);
// |v|, saturating at the top of the range.
Fixed absFixed(Fixed v);

// The conversions and sums run for every ball on every tick, so they are
// defined here where the tick's phases can inline them.

namespace detail {

inline constexpr std::int64_t kUnitsMax = std::numeric_limits<std::int64_t>::max();
inline constexpr std::int64_t kUnitsMin = std::numeric_limits<std::int64_t>::min();

// a + b and a - b clamped to the int64 range, in plain int64 arithmetic:
// the overflow is seen coming before the operation.
inline std::int64_t saturatingAdd(std::int64_t a, std::int64_t b) {
    if (b > 0 && a > kUnitsMax - b) {
        return kUnitsMax;
    }
    if (b < 0 && a < kUnitsMin - b) {
        return kUnitsMin;
    }
    return a + b;
}

inline std::int64_t saturatingSubtract(std::int64_t a, std::int64_t b) {
    if (b < 0 && a > kUnitsMax + b) {
        return kUnitsMax;
    }
    if (b > 0 && a < kUnitsMin + b) {
        return kUnitsMin;
    }
    return a - b;
}

}  // namespace detail

inline Fixed operator+(Fixed a, Fixed b) {
    return Fixed(detail::saturatingAdd(a.units_, b.units_));
}

inline Fixed operator-(Fixed a, Fixed b) {
    return Fixed(detail::saturatingSubtract(a.units_, b.units_));
}

inline Fixed Fixed::operator-() const {
    return Fixed(units_ == detail::kUnitsMin ? detail::kUnitsMax : -units_);
}

inline Fixed toFixed(double x) {
    // 2^63 as a double: every double strictly below it fits in an int64.
    constexpr double kTwoTo63 = 9223372036854775808.0;
    constexpr double kTwoTo51 = 2251799813685248.0;
    const double scaled = x * kFixedScale;
    if (std::fabs(scaled) < kTwoTo51) {
        return Fixed::fromUnits(roundedLowBits(scaled));
    }
    if (std::isnan(scaled)) {
        return Fixed();
    }
    if (scaled >= kTwoTo63) {
        return Fixed::fromUnits(std::numeric_limits<std::int64_t>::max());
    }
    if (scaled < -kTwoTo63) {
        return Fixed::fromUnits(std::numeric_limits<std::int64_t>::min());
    }
    return Fixed::fromUnits(static_cast<std::int64_t>(roundHalfEven(scaled)));
}

inline double asDouble(Fixed v) {
    return static_cast<double>(v.units()) / kFixedScale;
}

inline float toFloat(Fixed v) {
    return static_cast<float>(asDouble(v));
}

inline Fixed floatToFixed(float f) {
    return toFixed(static_cast<double>(f));
}

inline Fixed absFixed(Fixed v) {
    return v.units() < 0 ? -v : v;
}

}  // namespace vorl
