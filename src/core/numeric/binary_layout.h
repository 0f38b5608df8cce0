// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <cstring>
#include <limits>
#include <type_traits>

#include "core/numeric/float_rules.h"

namespace vorl {

// The IEEE 754 binary layout of float and double, as the decimal
// conversions see it: a finite value is sign * m * 2^e, m a whole number
// below 2^kDigits.
template <typename T>
struct BinaryLayout {
    static_assert(std::numeric_limits<T>::is_iec559);
    using Bits = std::conditional_t<sizeof(T) == 4, std::uint32_t, std::uint64_t>;

    static constexpr int kDigits = std::numeric_limits<T>::digits;  // with the hidden bit
    static constexpr int kTotalBits = static_cast<int>(sizeof(T)) * 8;
    static constexpr int kExponentField = kTotalBits - kDigits;  // without the sign bit
    static constexpr Bits kFractionMask = (Bits{1} << (kDigits - 1)) - 1;
    static constexpr int kExponentMask = (1 << kExponentField) - 1;
    // The exponent e of the smallest and largest ulp: denormals, and the top binade.
    static constexpr int kMinExponent = std::numeric_limits<T>::min_exponent - kDigits;
    static constexpr int kMaxExponent = std::numeric_limits<T>::max_exponent - kDigits;

    // Through memcpy: the library of one of our targets has no std::bit_cast.
    static Bits bitsOf(T x) {
        Bits b;
        std::memcpy(&b, &x, sizeof b);
        return b;
    }
    static T fromBits(Bits b) {
        T x;
        std::memcpy(&x, &b, sizeof x);
        return x;
    }
};

}  // namespace vorl
