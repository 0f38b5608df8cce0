// SPDX-License-Identifier: MIT
#include "core/numeric/big_unsigned.h"

#include <bit>
#include <cstdlib>

namespace vorl {
namespace {

constexpr std::uint32_t kTenToNine = 1000000000;

}  // namespace

BigUnsigned::BigUnsigned(std::uint64_t value) {
    while (value != 0) {
        limbs_[size_++] = static_cast<std::uint32_t>(value);
        value >>= kLimbBits;
    }
}

BigUnsigned& BigUnsigned::operator=(const BigUnsigned& other) {
    size_ = other.size_;
    for (int i = 0; i < size_; ++i) {
        limbs_[i] = other.limbs_[i];
    }
    return *this;
}

int BigUnsigned::bitLength() const {
    if (size_ == 0) {
        return 0;
    }
    return (size_ - 1) * kLimbBits + std::bit_width(limbs_[size_ - 1]);
}

void BigUnsigned::trim() {
    while (size_ > 0 && limbs_[size_ - 1] == 0) {
        --size_;
    }
}

void BigUnsigned::grow(int size) {
    if (size > kLimbs) {
        std::abort();
    }
    for (int i = size_; i < size; ++i) {
        limbs_[i] = 0;
    }
    size_ = size;
}

BigUnsigned& BigUnsigned::multiplyBy(std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (int i = 0; i < size_; ++i) {
        const std::uint64_t product = std::uint64_t{limbs_[i]} * factor + carry;
        limbs_[i] = static_cast<std::uint32_t>(product);
        carry = product >> kLimbBits;
    }
    if (carry != 0) {
        grow(size_ + 1);
        limbs_[size_ - 1] = static_cast<std::uint32_t>(carry);
    }
    trim();
    return *this;
}

BigUnsigned& BigUnsigned::multiplyByPowerOf10(int exponent) {
    for (; exponent >= 9; exponent -= 9) {
        multiplyBy(kTenToNine);
    }
    std::uint32_t rest = 1;
    for (; exponent > 0; --exponent) {
        rest *= 10;
    }
    return multiplyBy(rest);
}

BigUnsigned& BigUnsigned::shiftLeft(int bits) {
    if (size_ == 0 || bits == 0) {
        return *this;
    }
    const int limbShift = bits / kLimbBits;
    const int bitShift = bits % kLimbBits;
    const int oldSize = size_;
    grow(size_ + limbShift + (bitShift != 0 ? 1 : 0));
    for (int i = size_ - 1; i >= limbShift; --i) {
        const int from = i - limbShift;
        std::uint32_t limb = from < oldSize ? limbs_[from] << bitShift : 0;
        if (bitShift != 0 && from >= 1 && from - 1 < oldSize) {
            limb |= limbs_[from - 1] >> (kLimbBits - bitShift);
        }
        limbs_[i] = limb;
    }
    for (int i = 0; i < limbShift; ++i) {
        limbs_[i] = 0;
    }
    trim();
    return *this;
}

BigUnsigned& BigUnsigned::shiftRightOne() {
    for (int i = 0; i < size_; ++i) {
        const std::uint32_t high = i + 1 < size_ ? limbs_[i + 1] << (kLimbBits - 1) : 0;
        limbs_[i] = (limbs_[i] >> 1) | high;
    }
    trim();
    return *this;
}

BigUnsigned& BigUnsigned::add(const BigUnsigned& other) {
    if (other.size_ > size_) {
        grow(other.size_);
    }
    std::uint64_t carry = 0;
    for (int i = 0; i < size_; ++i) {
        const std::uint64_t sum =
            std::uint64_t{limbs_[i]} + (i < other.size_ ? other.limbs_[i] : 0) + carry;
        limbs_[i] = static_cast<std::uint32_t>(sum);
        carry = sum >> kLimbBits;
    }
    if (carry != 0) {
        grow(size_ + 1);
        limbs_[size_ - 1] = 1;
    }
    return *this;
}

BigUnsigned& BigUnsigned::subtract(const BigUnsigned& other) {
    std::uint32_t borrow = 0;
    for (int i = 0; i < size_; ++i) {
        const std::uint64_t take = std::uint64_t{i < other.size_ ? other.limbs_[i] : 0} + borrow;
        borrow = limbs_[i] < take ? 1 : 0;
        limbs_[i] = static_cast<std::uint32_t>(limbs_[i] - take);
    }
    trim();
    return *this;
}

std::uint32_t BigUnsigned::divideBy(std::uint32_t divisor) {
    std::uint64_t remainder = 0;
    for (int i = size_ - 1; i >= 0; --i) {
        const std::uint64_t current = (remainder << kLimbBits) | limbs_[i];
        limbs_[i] = static_cast<std::uint32_t>(current / divisor);
        remainder = current % divisor;
    }
    trim();
    return static_cast<std::uint32_t>(remainder);
}

std::uint64_t BigUnsigned::bitsFrom(int from) const {
    const int limb = from / kLimbBits;
    const int shift = from % kLimbBits;
    auto at = [&](int i) { return std::uint64_t{i < size_ ? limbs_[i] : 0}; };
    std::uint64_t bits = (at(limb) >> shift) | (at(limb + 1) << (kLimbBits - shift));
    if (shift != 0) {
        bits |= at(limb + 2) << (2 * kLimbBits - shift);
    }
    return bits;
}

void BigUnsigned::subtractMultiple(const BigUnsigned& other, std::uint32_t factor) {
    std::uint64_t carry = 0;
    std::uint32_t borrow = 0;
    for (int i = 0; i < size_; ++i) {
        const std::uint64_t product =
            std::uint64_t{i < other.size_ ? other.limbs_[i] : 0} * factor + carry;
        carry = product >> kLimbBits;
        const std::uint64_t take = (product & 0xFFFFFFFFu) + borrow;
        borrow = limbs_[i] < take ? 1 : 0;
        limbs_[i] = static_cast<std::uint32_t>(limbs_[i] - take);
    }
    trim();
}

std::uint32_t BigUnsigned::takeMultiplesOf(const BigUnsigned& divisor) {
    // Below 2^32 the divisor divides the low 64 bits exactly; otherwise its
    // top 32 bits, rounded up, and the same bits of *this give a quotient
    // that is never too large and short by at most two.
    const int from = divisor.bitLength() > 32 ? divisor.bitLength() - 32 : 0;
    const std::uint64_t top = divisor.bitsFrom(from) + (from > 0 ? 1 : 0);
    std::uint32_t quotient = static_cast<std::uint32_t>(bitsFrom(from) / top);
    if (quotient != 0) {
        subtractMultiple(divisor, quotient);
    }
    while (compare(*this, divisor) >= 0) {
        subtract(divisor);
        ++quotient;
    }
    return quotient;
}

int compare(const BigUnsigned& a, const BigUnsigned& b) {
    if (a.size_ != b.size_) {
        return a.size_ < b.size_ ? -1 : 1;
    }
    for (int i = a.size_ - 1; i >= 0; --i) {
        if (a.limbs_[i] != b.limbs_[i]) {
            return a.limbs_[i] < b.limbs_[i] ? -1 : 1;
        }
    }
    return 0;
}

}  // namespace vorl
