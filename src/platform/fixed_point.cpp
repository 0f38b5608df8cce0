#include "platform/fixed_point.h"

namespace vorl {
namespace {

// The quotient of product / 10000 rounded half to even.
template <typename Int>
Int roundedTenThousandth(Int product) {
    constexpr Int scale = 10000;
    Int quotient = product / scale;
    const Int remainder = product % scale;  // carries the sign of the product
    const Int twiceRest = 2 * (remainder < 0 ? -remainder : remainder);
    if (twiceRest > scale || (twiceRest == scale && (quotient & 1) != 0)) {
        quotient += product < 0 ? -1 : 1;
    }
    return quotient;
}

}  // namespace

Fixed mulFixed(Fixed a, Fixed b) {
    // Game speeds multiply within 64 bits, where division is cheap; the
    // 128-bit product is only needed for absurd ones.
    std::int64_t narrow = 0;
    if (!__builtin_mul_overflow(a.units(), b.units(), &narrow)) {
        return Fixed::fromUnits(roundedTenThousandth(narrow));
    }
    const __int128 product = static_cast<__int128>(a.units()) * b.units();
    return Fixed::fromUnits(detail::saturate(roundedTenThousandth(product)));
}

}  // namespace vorl
