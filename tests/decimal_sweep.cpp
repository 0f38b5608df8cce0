// SPDX-License-Identifier: MIT
// The long form of the decimal text tests, run by hand: every float whose
// bit pattern lies in [FIRST, LAST) is printed with the portable code and
// with std::to_chars, and its text read back with both readers; then as
// many random doubles. Arguments: FIRST LAST (hexadecimal bit patterns,
// default every float in [0, 65536)) and DOUBLES (default 10 million).
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "core/numeric/decimal_text.h"

namespace {

template <typename T>
std::string libraryText(T x) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, x);
    return std::string(buffer, result.ptr);
}

// Whether x prints the same both ways and its text reads back the same.
template <typename T, typename Bits>
bool agrees(T x) {
    const std::string text = vorl::shortestText(x);
    if (text != libraryText(x)) {
        return false;
    }
    if (!std::isfinite(x)) {
        return true;  // "nan" and "inf" are not read
    }
    T value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    const vorl::DecimalRead<T> read = vorl::readDecimal<T>(text);
    return error == std::errc() && read.status == vorl::DecimalStatus::Ok &&
           read.length == text.size() && end == text.data() + text.size() &&
           std::bit_cast<Bits>(read.value) == std::bit_cast<Bits>(value) &&
           std::bit_cast<Bits>(value) == std::bit_cast<Bits>(x);
}

}  // namespace

int main(int argc, char** argv) {
    const std::uint64_t first = argc > 1 ? std::strtoull(argv[1], nullptr, 16) : 0;
    const std::uint64_t last = argc > 2 ? std::strtoull(argv[2], nullptr, 16) : 0x47800000;
    const std::uint64_t doubles = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 10000000;
    std::uint64_t failures = 0;
    for (std::uint64_t bits = first; bits < last; ++bits) {
        const float x = std::bit_cast<float>(static_cast<std::uint32_t>(bits));
        if (!agrees<float, std::uint32_t>(x) && ++failures <= 20) {
            std::printf("float 0x%08llx: %s, library %s\n", static_cast<unsigned long long>(bits),
                        vorl::shortestText(x).c_str(), libraryText(x).c_str());
        }
    }
    std::mt19937_64 rng(20261208);
    for (std::uint64_t i = 0; i < doubles; ++i) {
        const double x = std::bit_cast<double>(rng());
        if (!agrees<double, std::uint64_t>(x) && ++failures <= 20) {
            std::printf("double %a: %s, library %s\n", x, vorl::shortestText(x).c_str(),
                        libraryText(x).c_str());
        }
    }
    std::printf("%llu floats (0x%08llx to 0x%08llx) and %llu doubles, %llu differ\n",
                static_cast<unsigned long long>(last - first),
                static_cast<unsigned long long>(first), static_cast<unsigned long long>(last),
                static_cast<unsigned long long>(doubles),
                static_cast<unsigned long long>(failures));
    return failures == 0 ? 0 : 1;
}
