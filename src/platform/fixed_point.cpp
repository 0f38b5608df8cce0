#include "platform/fixed_point.h"

#include <cmath>
#include <limits>

namespace vorl {
namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

// 2^63 as a double: every double strictly below it fits in an int64.
constexpr double kTwoTo63 = 9223372036854775808.0;

std::int64_t saturate(__int128 v) {
    if (v > kMax) {
        return kMax;
    }
    if (v < kMin) {
        return kMin;
    }
    return static_cast<std::int64_t>(v);
}

}  // namespace

Fixed operator+(Fixed a, Fixed b) {
    return Fixed::fromUnits(saturate(static_cast<__int128>(a.units_) + b.units_));
}

Fixed operator-(Fixed a, Fixed b) {
    return Fixed::fromUnits(saturate(static_cast<__int128>(a.units_) - b.units_));
}

Fixed Fixed::operator-() const {
    return Fixed(saturate(-static_cast<__int128>(units_)));
}

Fixed toFixed(double x) {
    const double scaled = x * kFixedScale;
    if (std::isnan(scaled)) {
        return Fixed();
    }
    if (scaled >= kTwoTo63) {
        return Fixed::fromUnits(kMax);
    }
    if (scaled < -kTwoTo63) {
        return Fixed::fromUnits(kMin);
    }
    return Fixed::fromUnits(std::llrint(scaled));
}

double asDouble(Fixed v) {
    return static_cast<double>(v.units()) / kFixedScale;
}

float toFloat(Fixed v) {
    return static_cast<float>(asDouble(v));
}

Fixed floatToFixed(float f) {
    return toFixed(static_cast<double>(f));
}

Fixed mulFixed(Fixed a, Fixed b) {
    constexpr std::int64_t scale = 10000;
    const __int128 product = static_cast<__int128>(a.units()) * b.units();
    __int128 quotient = product / scale;
    const __int128 remainder = product % scale;  // carries the sign of the product
    const __int128 twiceRest = 2 * (remainder < 0 ? -remainder : remainder);
    if (twiceRest > scale || (twiceRest == scale && (quotient & 1) != 0)) {
        quotient += product < 0 ? -1 : 1;
    }
    return Fixed::fromUnits(saturate(quotient));
}

Fixed absFixed(Fixed v) {
    return v.units() < 0 ? -v : v;
}

}  // namespace vorl
