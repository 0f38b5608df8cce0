// SPDX-License-Identifier: MIT
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/numeric/big_unsigned.h"
#include "core/numeric/binary_layout.h"
#include "core/numeric/decimal_text.h"

namespace vorl {
namespace {

// Enough for the 17 digits a double may need.
constexpr int kMaxDigits = 24;

// value = 0.text[0] text[1] ... text[count - 1] * 10^point, no leading or
// trailing zero.
struct ShortDigits {
    char text[kMaxDigits];
    int count = 0;
    int point = 0;
};

// floor(n * log10(2)) for |n| < 1650; >> rounds down for negatives too.
int floorLog10Pow2(int n) {
    return (n * 78913) >> 18;
}

// A whole number below 2^64 with the operations of BigUnsigned, for the
// common values whose digits need no more.
class SmallUnsigned {
  public:
    explicit SmallUnsigned(std::uint64_t value) : value_(value) {}
    SmallUnsigned& multiplyBy(std::uint32_t factor) {
        value_ *= factor;
        return *this;
    }
    SmallUnsigned& multiplyByPowerOf10(int exponent) {
        for (; exponent > 0; --exponent) {
            value_ *= 10;
        }
        return *this;
    }
    SmallUnsigned& shiftLeft(int bits) {
        value_ <<= bits;
        return *this;
    }
    SmallUnsigned& add(const SmallUnsigned& other) {
        value_ += other.value_;
        return *this;
    }
    SmallUnsigned& subtract(const SmallUnsigned& other) {
        value_ -= other.value_;
        return *this;
    }
    std::uint32_t takeMultiplesOf(const SmallUnsigned& divisor) {
        const auto quotient = static_cast<std::uint32_t>(value_ / divisor.value_);
        value_ %= divisor.value_;
        return quotient;
    }
    friend int compare(const SmallUnsigned& a, const SmallUnsigned& b) {
        return a.value_ < b.value_ ? -1 : a.value_ > b.value_ ? 1 : 0;
    }

  private:
    std::uint64_t value_;
};

// The widest scale s worked in SmallUnsigned: every other number stays
// below 32 s, so nothing reaches 2^64.
constexpr int kSmallScaleBits = 50;

// Whether high (in the units of s) stays within the scale: below it when
// the upper midpoint itself reads back as the value, not above it otherwise.
template <typename Number>
bool below(const Number& high, const Number& s, bool inclusive) {
    const int c = compare(high, s);
    return inclusive ? c < 0 : c <= 0;
}

// The fewest significant digits of a number that reads back as m * 2^e
// (m > 0), i.e. lies between the midpoints to its neighbours, and of those
// the nearest to it, ties to an even last digit. The digits are produced
// one by one; the first position at which the value rounded down or up
// lies between the midpoints is the shortest. `point` is a first guess of
// the decimal exponent, at most one too small.
template <typename Number>
ShortDigits shortestDigits(std::uint64_t m, int e, bool lowerGapHalved, int point) {
    // All in units of 2^(e-2): the value is 4m, the upper midpoint 2 units
    // above, the lower one as far below, or half as far when the next value
    // down is nearer (the bottom of a binade). A midpoint reads back as the
    // neighbour with the even mantissa, so it belongs to this value when m
    // is even.
    const bool inclusive = m % 2 == 0;
    Number r(4 * m);
    Number up(2);
    Number s(1);
    if (e >= 2) {
        r.shiftLeft(e - 2);
        up.shiftLeft(e - 2);
    } else {
        s.shiftLeft(2 - e);
    }

    // Scale by 10^-point so that the upper midpoint is just below 1: then
    // the first digit is the first one after the point.
    ShortDigits out;
    out.point = point;
    if (out.point >= 0) {
        s.multiplyByPowerOf10(out.point);
    } else {
        r.multiplyByPowerOf10(-out.point);
        up.multiplyByPowerOf10(-out.point);
    }
    Number high = r;
    high.add(up);
    while (!below(high, s, inclusive)) {
        s.multiplyBy(10);
        ++out.point;
    }

    for (;;) {
        r.multiplyBy(10);
        up.multiplyBy(10);
        int digit = static_cast<int>(r.takeMultiplesOf(s));
        // r / s is now how far the value lies above the digits so far.
        Number twice = r;
        twice.add(r);
        const int lowGap = lowerGapHalved ? compare(twice, up) : compare(r, up);
        const bool roundedDownFits = inclusive ? lowGap <= 0 : lowGap < 0;
        high = r;
        high.add(up);
        const int highGap = compare(high, s);
        const bool roundedUpFits = inclusive ? highGap >= 0 : highGap > 0;
        if (roundedDownFits && roundedUpFits) {
            const int c = compare(twice, s);
            if (c > 0 || (c == 0 && digit % 2 == 1)) {
                ++digit;
            }
        } else if (roundedUpFits) {
            ++digit;
        }
        out.text[out.count++] = static_cast<char>('0' + digit);
        if (roundedDownFits || roundedUpFits || out.count == kMaxDigits) {
            return out;
        }
    }
}

ShortDigits shortestDigits(std::uint64_t m, int e, bool lowerGapHalved) {
    // The value is below 2^b, so the upper midpoint at most 2^b, and its
    // decimal exponent is this guess or one more.
    const int point = floorLog10Pow2(static_cast<int>(std::bit_width(m)) + e);
    // 10^point has fewer than 10 bits for every 3 digits.
    const int scaleBits = (e < 2 ? 2 - e : 0) + (point > 0 ? (point * 10 + 2) / 3 : 0) + 4;
    if (scaleBits <= kSmallScaleBits) {
        return shortestDigits<SmallUnsigned>(m, e, lowerGapHalved, point);
    }
    return shortestDigits<BigUnsigned>(m, e, lowerGapHalved, point);
}

// m * 2^e in full, for a whole number.
std::string wholeNumberText(std::uint64_t m, int e) {
    constexpr std::uint32_t kChunk = 1000000000;
    BigUnsigned n(e >= 0 ? m : m >> -e);
    n.shiftLeft(e >= 0 ? e : 0);
    std::string reversed;
    do {
        std::uint32_t chunk = n.divideBy(kChunk);
        for (int i = 0; i < 9 && (chunk != 0 || !n.isZero()); ++i) {
            reversed += static_cast<char>('0' + chunk % 10);
            chunk /= 10;
        }
    } while (!n.isZero());
    return std::string(reversed.rbegin(), reversed.rend());
}

void appendExponent(std::string& text, int exponent) {
    text += 'e';
    text += exponent < 0 ? '-' : '+';
    const int magnitude = std::abs(exponent);
    if (magnitude >= 100) {
        text += static_cast<char>('0' + magnitude / 100);
    }
    text += static_cast<char>('0' + magnitude / 10 % 10);
    text += static_cast<char>('0' + magnitude % 10);
}

template <typename T>
std::string shortestTextOf(T x) {
    using Layout = BinaryLayout<T>;
    const typename Layout::Bits bits = Layout::bitsOf(x);
    const bool negative = (bits >> (Layout::kTotalBits - 1)) != 0;
    const int field = static_cast<int>((bits >> (Layout::kDigits - 1)) & Layout::kExponentMask);
    const std::uint64_t fraction = bits & Layout::kFractionMask;
    std::string text = negative ? "-" : "";
    if (field == Layout::kExponentMask) {
        return text + (fraction == 0 ? "inf" : "nan");
    }
    if (field == 0 && fraction == 0) {
        return text + "0";
    }
    const std::uint64_t m =
        field == 0 ? fraction : fraction | (std::uint64_t{1} << (Layout::kDigits - 1));
    const int e = (field == 0 ? 1 : field) - 1 + Layout::kMinExponent;
    const ShortDigits d = shortestDigits(m, e, fraction == 0 && field > 1);

    // Plain or with an exponent, whichever is shorter; plain on a tie.
    const int n = d.count;
    const int exponent = d.point - 1;
    const int scientificLength = n + (n > 1 ? 1 : 0) + 2 + (std::abs(exponent) >= 100 ? 3 : 2);
    const int plainLength = exponent >= n - 1 ? exponent + 1
                            : exponent >= 0   ? n + 1
                                              : n + 1 - exponent;
    if (plainLength > scientificLength) {
        text += d.text[0];
        if (n > 1) {
            text += '.';
            text.append(d.text + 1, n - 1);
        }
        appendExponent(text, exponent);
    } else if (exponent >= n - 1) {
        // A whole number: written in full, which is nearer than the digits
        // followed by zeros and as short.
        text += wholeNumberText(m, e);
    } else if (exponent >= 0) {
        text.append(d.text, exponent + 1);
        text += '.';
        text.append(d.text + exponent + 1, n - exponent - 1);
    } else {
        text += "0.";
        text.append(-exponent - 1, '0');
        text.append(d.text, n);
    }
    return text;
}

}  // namespace

std::string shortestText(float x) {
    return shortestTextOf(x);
}

std::string shortestText(double x) {
    return shortestTextOf(x);
}

}  // namespace vorl
