// SPDX-License-Identifier: MIT
#include <algorithm>
#include <cstdint>
#include <limits>
#include <string_view>

#include "core/numeric/big_unsigned.h"
#include "core/numeric/binary_layout.h"
#include "core/numeric/decimal_text.h"

namespace vorl {
namespace {

// Significant digits kept; any non-zero digit past them counts as a 1 just
// after them. A midpoint between two doubles has at most 767 significant
// digits, so the rounding comes out as with every digit kept.
constexpr int kKeptDigits = 800;
// An exponent is read up to this size: past it, a number of any length a
// line could hold is out of range, and the sums below cannot overflow.
constexpr std::int64_t kExponentCap = 100000000;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The significant digits N of a number, with value = N * 10^scale.
class DigitCollector {
  public:
    void take(int digit, bool afterPoint) {
        if (count_ == 0 && digit == 0) {
            scale_ -= afterPoint ? 1 : 0;  // a leading zero
            return;
        }
        if (count_ >= kKeptDigits) {
            droppedNonZero_ = droppedNonZero_ || digit != 0;
            scale_ += afterPoint ? 0 : 1;
            return;
        }
        chunk_ = chunk_ * 10 + static_cast<std::uint32_t>(digit);
        ++count_;
        scale_ -= afterPoint ? 1 : 0;
        if (++chunkLength_ == 9) {
            flush();
        }
    }

    // Ends the digits; returns how many there are.
    int finish() {
        if (droppedNonZero_) {
            // Just above the kept digits, and below the next number they could make.
            chunk_ = chunk_ * 10 + 1;
            ++chunkLength_;
            ++count_;
            --scale_;
        }
        flush();
        return count_;
    }

    const BigUnsigned& digits() const { return digits_; }
    std::int64_t scale() const { return scale_; }

  private:
    void flush() {
        digits_.multiplyByPowerOf10(chunkLength_);
        digits_.add(BigUnsigned(chunk_));
        chunk_ = 0;
        chunkLength_ = 0;
    }

    BigUnsigned digits_;
    std::uint32_t chunk_ = 0;
    int chunkLength_ = 0;
    int count_ = 0;
    std::int64_t scale_ = 0;
    bool droppedNonZero_ = false;
};

// Whether a >= b * 2^power.
bool atLeastScaled(const BigUnsigned& a, const BigUnsigned& b, int power) {
    if (power >= 0) {
        BigUnsigned scaled = b;
        scaled.shiftLeft(power);
        return compare(a, scaled) >= 0;
    }
    BigUnsigned scaled = a;
    scaled.shiftLeft(-power);
    return compare(scaled, b) >= 0;
}

// The nearest T to digits * 10^scale (digits > 0, value below
// 10^decade and at least 10^(decade - 1)), ties to even; kOutOfRange when
// that is infinite or zero, with that value.
template <typename T>
DecimalRead<T> nearest(const BigUnsigned& digits, std::int64_t scale, std::int64_t decade) {
    using Layout = BinaryLayout<T>;
    using Bits = typename Layout::Bits;
    // Below 10^kLowestDecade a number is nearer to zero than to the
    // smallest denormal (about 1.4e-45 and 4.9e-324).
    constexpr int kLowestDecade = sizeof(T) == 4 ? -45 : -323;
    constexpr int kHighestDecade = std::numeric_limits<T>::max_exponent10 + 1;
    DecimalRead<T> out;
    out.status = DecimalStatus::kOutOfRange;
    if (decade < kLowestDecade) {
        return out;
    }
    if (decade > kHighestDecade) {
        out.value = std::numeric_limits<T>::infinity();
        return out;
    }

    // The value is a / b exactly.
    BigUnsigned a = digits;
    BigUnsigned b(1);
    if (scale >= 0) {
        a.multiplyByPowerOf10(static_cast<int>(scale));
    } else {
        b.multiplyByPowerOf10(static_cast<int>(-scale));
    }
    // 2^g <= a / b < 2^(g+1); the bit lengths leave only two candidates.
    int g = a.bitLength() - b.bitLength();
    if (!atLeastScaled(a, b, g)) {
        --g;
    }
    // q = floor(a / (b * 2^u)) holds the bits the result keeps.
    int u = std::max(g - (Layout::kDigits - 1), Layout::kMinExponent);
    if (u >= 0) {
        b.shiftLeft(u);
    } else {
        a.shiftLeft(-u);
    }
    std::uint64_t q = 0;
    BigUnsigned step = b;
    step.shiftLeft(Layout::kDigits - 1);
    for (int bit = Layout::kDigits - 1; bit >= 0; --bit) {
        if (compare(a, step) >= 0) {
            a.subtract(step);
            q |= std::uint64_t{1} << bit;
        }
        step.shiftRightOne();
    }
    // a is now the remainder: round to nearest, ties to even.
    BigUnsigned twice = a;
    twice.add(a);
    const int half = compare(twice, b);
    if (half > 0 || (half == 0 && q % 2 == 1)) {
        ++q;
    }
    if (q == std::uint64_t{1} << Layout::kDigits) {
        q >>= 1;
        ++u;
    }
    if (q == 0) {
        return out;
    }
    if (u > Layout::kMaxExponent) {
        out.value = std::numeric_limits<T>::infinity();
        return out;
    }
    Bits bits = static_cast<Bits>(q);
    if (q >= std::uint64_t{1} << (Layout::kDigits - 1)) {
        const Bits field = static_cast<Bits>(u - Layout::kMinExponent + 1);
        bits = (field << (Layout::kDigits - 1)) | (bits & Layout::kFractionMask);
    }
    out.status = DecimalStatus::kOk;
    out.value = Layout::fromBits(bits);
    return out;
}

}  // namespace

template <typename T>
DecimalRead<T> readDecimal(std::string_view text) {
    DecimalRead<T> result;
    std::size_t pos = 0;
    const bool negative = pos < text.size() && text[pos] == '-';
    if (negative) {
        ++pos;
    }
    DigitCollector collector;
    std::size_t digitCount = 0;
    for (; pos < text.size() && isDigit(text[pos]); ++pos, ++digitCount) {
        collector.take(text[pos] - '0', false);
    }
    if (pos < text.size() && text[pos] == '.') {
        for (++pos; pos < text.size() && isDigit(text[pos]); ++pos, ++digitCount) {
            collector.take(text[pos] - '0', true);
        }
    }
    if (digitCount == 0) {
        return result;
    }
    // The exponent counts only when it has a digit.
    std::int64_t exponent = 0;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        std::size_t at = pos + 1;
        const bool negativeExponent = at < text.size() && text[at] == '-';
        if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
            ++at;
        }
        if (at < text.size() && isDigit(text[at])) {
            for (; at < text.size() && isDigit(text[at]); ++at) {
                exponent = std::min(exponent * 10 + (text[at] - '0'), kExponentCap);
            }
            exponent = negativeExponent ? -exponent : exponent;
            pos = at;
        }
    }
    result.length = pos;

    const int count = collector.finish();
    if (count == 0) {
        result.status = DecimalStatus::kOk;
        result.value = negative ? -T{0} : T{0};
        return result;
    }
    const std::int64_t scale = collector.scale() + exponent;
    const DecimalRead<T> magnitude = nearest<T>(collector.digits(), scale, scale + count);
    result.status = magnitude.status;
    result.value = negative ? -magnitude.value : magnitude.value;
    return result;
}

template DecimalRead<float> readDecimal<float>(std::string_view);
template DecimalRead<double> readDecimal<double>(std::string_view);

}  // namespace vorl
