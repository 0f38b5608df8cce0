// SPDX-License-Identifier: MIT
// The portable decimal text against the C++ library's own, which it
// replaces on targets whose library lacks it: here, where the library has
// it, every float and double must print and read the same.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/game/rules/tally.h"
#include "core/numeric/decimal_text.h"

namespace vorl {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();

template <typename T>
std::string libraryText(T x) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, x);
    return std::string(buffer, result.ptr);
}

template <typename T>
DecimalRead<T> libraryRead(const std::string& text) {
    DecimalRead<T> read;
    T value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    read.length = static_cast<std::size_t>(end - text.data());
    if (error == std::errc::invalid_argument || (error == std::errc() && !std::isfinite(value))) {
        read.length = 0;  // the portable reader takes no "inf" or "nan"
    } else if (error == std::errc::result_out_of_range) {
        read.status = DecimalStatus::OutOfRange;
    } else {
        read.status = DecimalStatus::Ok;
        read.value = value;
    }
    return read;
}

// Zeros, denormals, the binade edges, every power of two with its
// neighbours, game coordinates (every quarter twip to 20000 and random ones
// to 20000 either way), then random bit patterns.
std::vector<float> floatCorpus() {
    std::vector<float> xs{0.0f,
                          -0.0f,
                          std::numeric_limits<float>::infinity(),
                          -std::numeric_limits<float>::infinity(),
                          std::numeric_limits<float>::quiet_NaN(),
                          -std::numeric_limits<float>::quiet_NaN(),
                          std::numeric_limits<float>::max(),
                          std::numeric_limits<float>::min(),
                          -1000000000.0f,
                          922337203685477.0f};
    for (std::uint32_t bits = 1; bits < 20000; ++bits) {
        xs.push_back(std::bit_cast<float>(bits));               // the smallest denormals
        xs.push_back(std::bit_cast<float>(0x00800000 - bits));  // the largest ones
    }
    for (int e = -149; e <= 127; ++e) {
        const float p = std::ldexp(1.0f, e);
        for (float x : {p, std::nextafter(p, 0.0f), std::nextafter(p, kInf)}) {
            xs.push_back(x);
            xs.push_back(-x);
        }
    }
    for (int quarter = 0; quarter <= 20000 * 4; ++quarter) {
        xs.push_back(static_cast<float>(quarter) / 4);
    }
    std::mt19937_64 rng(20261208);
    std::uniform_real_distribution<float> coordinate(-20000, 20000);
    for (int i = 0; i < 400000; ++i) {
        xs.push_back(coordinate(rng));
    }
    for (int i = 0; i < 500000; ++i) {
        xs.push_back(std::bit_cast<float>(static_cast<std::uint32_t>(rng())));
    }
    return xs;
}

// Catches a digit that is not the shortest or not the nearest, a wrong
// choice between the plain and the exponent form, a whole number not
// written in full, or a wrong sign, exponent width, "inf" or "nan".
TEST(DecimalText, FloatsPrintAsTheLibraryPrintsThem) {
    for (const float x : floatCorpus()) {
        ASSERT_EQ(shortestText(x), libraryText(x)) << std::hex << std::bit_cast<std::uint32_t>(x);
    }
}

// Catches the same for doubles (the tallies), where up to 17 digits and
// three-digit exponents are needed.
TEST(DecimalText, DoublesPrintAsTheLibraryPrintsThem) {
    std::vector<double> xs{0.0,
                           -0.0,
                           5e-324,
                           1e15,
                           1e16,
                           1e21,
                           1e22,
                           1e23,
                           9007199254740993.0,
                           std::numeric_limits<double>::max(),
                           HUGE_VAL,
                           -HUGE_VAL};
    std::mt19937_64 rng(7);
    for (int i = 0; i < 25000; ++i) {
        xs.push_back(std::bit_cast<double>(rng()));
        const int bits = std::uniform_int_distribution<int>(1, 63)(rng);
        xs.push_back(static_cast<double>(static_cast<std::int64_t>(rng() >> (64 - bits))) + 1);
    }
    for (const double x : xs) {
        ASSERT_EQ(shortestText(x), libraryText(x)) << std::hex << std::bit_cast<std::uint64_t>(x);
    }
}

// Catches a whole number past 2^64, written plain up to about 1e22, that
// is cut short, rounded to its shortest digits or written with an exponent.
TEST(DecimalText, WholeNumbersPast64BitsPrintInFull) {
    std::mt19937_64 rng(11);
    for (int e = 60; e <= 76; ++e) {
        const double p = std::ldexp(1.0, e);
        for (const double x : {p, std::nextafter(p, 0.0), std::nextafter(p, HUGE_VAL),
                               std::ldexp(static_cast<double>(rng() >> 11), e - 53)}) {
            ASSERT_EQ(shortestText(x), libraryText(x)) << x;
        }
    }
    EXPECT_EQ(shortestText(std::ldexp(1.0, 70)), "1180591620717411303424");
}

// Tokens around every rule of the reader: signs, points, partial
// exponents, range edges, midpoints between neighbours written to many
// digits and long runs of digits, then random strings of number characters.
std::vector<std::string> tokenCorpus() {
    std::vector<std::string> tokens{"0",
                                    "-0",
                                    "+1",
                                    "1.",
                                    ".5",
                                    "-.5",
                                    ".",
                                    "-",
                                    "--1",
                                    "-.",
                                    ".e5",
                                    "1e",
                                    "1e+",
                                    "1e-",
                                    "1ex",
                                    "1E5",
                                    "1e+05",
                                    "1e--5",
                                    "inf",
                                    "-inf",
                                    "infinity",
                                    "nan",
                                    "nan(1)",
                                    "0x1p3",
                                    " 1",
                                    "1 ",
                                    "1_0",
                                    "00001.5000",
                                    "0e999999999",
                                    "1e-999999999",
                                    "1e99999999999999999999",
                                    "1e0000000000000000000000000001",
                                    "3.4028235e38",
                                    "3.40282357e38",
                                    "1e39",
                                    "1e-45",
                                    "7e-46",
                                    "7.006e-46",
                                    "7.0065e-46",
                                    "1e-46",
                                    "1e-40",
                                    "1.17549435e-38",
                                    "2e-324",
                                    "3e-324",
                                    "1e-400",
                                    "1e309",
                                    "1.7976931348623158e308",
                                    "1.7976931348623159e308",
                                    std::string(1000, '9'),
                                    "0." + std::string(400, '0') + "1e400",
                                    "1" + std::string(900, '0') + "1e-900",
                                    "10500",
                                    "3247.5",
                                    "-0.0490"};
    std::mt19937_64 rng(99);
    char buffer[1024];
    for (int i = 0; i < 20000; ++i) {
        const float f = std::bit_cast<float>(static_cast<std::uint32_t>(rng()));
        const double mid = (static_cast<double>(f) + std::nextafter(f, kInf)) / 2;  // exact
        for (int digits : {8, 60, 120}) {
            std::snprintf(buffer, sizeof buffer, "%.*e", digits, mid);
            tokens.emplace_back(buffer);
        }
        const double d = std::bit_cast<double>(rng());
        std::snprintf(buffer, sizeof buffer, "%.*g", static_cast<int>(rng() % 20), d);
        tokens.emplace_back(buffer);
        if (i % 20 == 0) {
            std::snprintf(buffer, sizeof buffer, "%.780e", d);
            tokens.emplace_back(buffer);
        }
    }
    constexpr char kAlphabet[] = "0123456789.-+eE";
    for (int i = 0; i < 200000; ++i) {
        std::string token(1 + rng() % 12, ' ');
        for (char& c : token) {
            c = kAlphabet[rng() % (sizeof kAlphabet - 1)];
        }
        tokens.push_back(token);
    }
    return tokens;
}

// The reader's status, length and (when it read a number) bits for TOKEN,
// against the library's.
template <typename T, typename Bits>
void expectReadAsTheLibraryReads(const std::string& token) {
    const DecimalRead<T> got = readDecimal<T>(token);
    const DecimalRead<T> want = libraryRead<T>(token);
    ASSERT_EQ(got.status, want.status) << token;
    ASSERT_EQ(got.length, want.length) << token;
    if (got.status == DecimalStatus::Ok) {
        ASSERT_EQ(std::bit_cast<Bits>(got.value), std::bit_cast<Bits>(want.value)) << token;
    }
}

// Catches a wrong rounding at a midpoint or a range edge, an out-of-range
// value taken as infinite or zero, a reader that stops at the wrong place,
// or one that takes a sign, blank or form the library refuses.
TEST(DecimalText, TokensReadAsTheLibraryReadsThem) {
    for (const std::string& token : tokenCorpus()) {
        ASSERT_NO_FATAL_FAILURE((expectReadAsTheLibraryReads<float, std::uint32_t>(token)));
        ASSERT_NO_FATAL_FAILURE((expectReadAsTheLibraryReads<double, std::uint64_t>(token)));
    }
}

// Catches an out-of-range number given the wrong zero or infinity, or the
// wrong sign (the replay tool takes the zero).
TEST(DecimalText, OutOfRangeNumbersCarryTheirRoundedValue) {
    const auto floatBits = [](std::string_view token) {
        const DecimalRead<float> read = readDecimal<float>(token);
        return std::pair(read.status, std::bit_cast<std::uint32_t>(read.value));
    };
    constexpr auto kOut = DecimalStatus::OutOfRange;
    EXPECT_EQ(floatBits("7e-46"), std::pair(kOut, 0x00000000u));
    EXPECT_EQ(floatBits("-1e-99999"), std::pair(kOut, 0x80000000u));
    EXPECT_EQ(floatBits("3.5e38"), std::pair(kOut, 0x7F800000u));
    EXPECT_EQ(floatBits("-1e39"), std::pair(kOut, 0xFF800000u));
    const DecimalRead<double> tiny = readDecimal<double>("-2e-324");
    EXPECT_EQ(tiny.status, kOut);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(tiny.value), 0x8000000000000000u);
    const DecimalRead<double> huge = readDecimal<double>("1e309");
    EXPECT_EQ(huge.status, kOut);
    EXPECT_EQ(huge.value, std::numeric_limits<double>::infinity());
}

// The tally as it was read and written with the library.
double libraryTally(const std::string& caption) {
    std::string_view text(caption);
    const std::size_t start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos) {
        return 0;
    }
    text.remove_prefix(start);
    if (text.front() == '+') {
        text.remove_prefix(1);
    }
    const std::size_t digits = (!text.empty() && text.front() == '-') ? 1 : 0;
    if (text.size() <= digits ||
        !((text[digits] >= '0' && text[digits] <= '9') || text[digits] == '.')) {
        return 0;
    }
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        return text.front() == '-' ? -HUGE_VAL : HUGE_VAL;
    }
    return result.ec == std::errc() ? value : 0;
}

std::string libraryTallyText(double count) {
    char buffer[64];
    if (std::isfinite(count) && count == std::nearbyint(count) && std::fabs(count) < 1e15) {
        std::snprintf(buffer, sizeof buffer, "%.0f", count);
        return buffer;
    }
    return libraryText(count);
}

// Catches a tally caption that the game now reads or writes differently:
// fractions, exponents, huge and tiny numbers, signs, blanks, junk.
TEST(DecimalText, TallyCaptionsCountAsBefore) {
    std::vector<std::string> captions{"",
                                      "7",
                                      " 12 apples",
                                      "+3",
                                      "-0",
                                      "-1",
                                      "1.5",
                                      "1e300",
                                      "1e-400",
                                      "-1e999",
                                      "inf",
                                      "nan",
                                      ".",
                                      "-.5",
                                      "0x10",
                                      "\t9",
                                      "99999999999999.5",
                                      "999999999999999",
                                      "1e15",
                                      "-1e15",
                                      "4503599627370497"};
    std::mt19937_64 rng(3);
    for (int i = 0; i < 5000; ++i) {
        captions.push_back(libraryText(std::bit_cast<double>(rng())));
        captions.push_back(std::to_string(static_cast<std::int64_t>(rng()) >> (rng() % 64)));
    }
    for (const std::string& caption : captions) {
        const double count = readTally(caption);
        const double want = libraryTally(caption);
        ASSERT_EQ(std::bit_cast<std::uint64_t>(count), std::bit_cast<std::uint64_t>(want))
            << caption;
        ASSERT_EQ(tallyText(count + 1), libraryTallyText(want + 1)) << caption;
        ASSERT_EQ(tallyText(-count), libraryTallyText(-want)) << caption;
    }
}

}  // namespace
}  // namespace vorl
