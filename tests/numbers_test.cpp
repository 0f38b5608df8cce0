// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <tuple>
#include <utility>

#include "core/numeric/fixed_point.h"
#include "core/numeric/rounding.h"
#include "core/numeric/saturating_counter.h"
#include "core/runtime/rect.h"
#include "support/game.h"

namespace vorl {
namespace {

using testing::units;

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
constexpr std::int32_t kMax32 = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin32 = std::numeric_limits<std::int32_t>::min();

using ToUnits = std::pair<double, std::int64_t>;

TEST(FixedConversion, AValueRoundsToTheNearestUnitWithHalvesToEven) {
    // Catches rounding halves away from zero (llround, floor(x + 0.5)) or truncating.
    // 0.03125 and 0.09375 are exactly 312.5 and 937.5 units; 0.00005 * 10000 is exactly 0.5.
    for (const auto& [x, expected] : std::initializer_list<ToUnits>{{0.03125, 312},
                                                                    {0.09375, 938},
                                                                    {-0.03125, -312},
                                                                    {-0.09375, -938},
                                                                    {0.00005, 0},
                                                                    {-1.23456, -12346}}) {
        EXPECT_EQ(toFixed(x).units(), expected) << x;
    }
}

TEST(FixedConversion, OutOfRangeValuesSaturateAndNaNGivesZero) {
    // Catches an unguarded llrint (undefined, INT64_MIN in practice) or a clamp that comes early.
    // 2^49 twips is 2^49 * 10000 units, inside the range and exact.
    for (const auto& [x, expected] :
         std::initializer_list<ToUnits>{{1e300, kMax},
                                        {-1e300, kMin},
                                        {HUGE_VAL, kMax},
                                        {-HUGE_VAL, kMin},
                                        {std::nan(""), 0},
                                        {std::ldexp(1.0, 49), 5629499534213120000}}) {
        EXPECT_EQ(toFixed(x).units(), expected) << x;
    }
}

TEST(FixedArithmetic, SumsNegationAndMagnitudeSaturateAtTheRange) {
    // Catches wrapping int64 arithmetic (undefined, and a sign flip in practice).
    EXPECT_EQ((units(5) + units(-7)).units(), -2);
    EXPECT_EQ((units(kMax) + units(1)).units(), kMax);
    EXPECT_EQ((units(kMin) + units(-1)).units(), kMin);
    EXPECT_EQ((units(kMin) - units(1)).units(), kMin);
    EXPECT_EQ((units(kMax) - units(-1)).units(), kMax);
    EXPECT_EQ((-units(kMin)).units(), kMax);
    EXPECT_EQ(absFixed(units(kMin)).units(), kMax);
}

TEST(FixedArithmetic, ProductsRoundHalfToEvenOnBothSidesOfZeroAndBeyondSixtyFourBits) {
    // Catches truncation, halves away from zero, or a product formed in 64 bits or in double.
    using Product = std::tuple<std::int64_t, std::int64_t, std::int64_t>;
    for (const auto& [a, b, expected] : std::initializer_list<Product>{
             {5, 1000, 0},  // 0.5 unit
             {15, 1000, 2},
             {25, 1000, 2},
             {-5, 1000, 0},
             {-15, 1000, -2},
             {1000, -25, -2},
             {1000, -35, -4},
             {3, 1999, 1},  // 0.5997
             {-3, 1999, -1},
             {3, 1666, 0},  // 0.4998
             {3'000'000'000'000'000'001, 30000, 9'000'000'000'000'000'003},
             {4'000'000'000'000'000'000, 30000, kMax},
             {-4'000'000'000'000'000'000, 30000, kMin},
             {kMax, -10000, -kMax}}) {
        EXPECT_EQ(mulFixed(units(a), units(b)).units(), expected) << a << " * " << b;
    }
}

// One tick of a fresh table in which only ball 0 has a velocity, (v, -v) units.
BallVelocity dampedOnce(std::int64_t v) {
    testing::Game g;
    g.form.ballVel[0] = {units(v), units(-v)};
    g.form.Timer1_Timer();
    return g.form.ballVel[0];
}

TEST(Friction, SpeedsOfAtMostTwentyFourUnitsAreNeverDamped) {
    // Catches friction computed by truncation, which would stop slow balls.
    for (std::int64_t n = 1; n <= 24; ++n) {
        const BallVelocity v = dampedOnce(n);
        EXPECT_EQ(v.vx.units(), n);
        EXPECT_EQ(v.vy.units(), -n);
    }
}

TEST(Friction, FasterSpeedsLoseTwoPercentRoundedToFourDecimals) {
    // Catches a wrong factor, float arithmetic or asymmetric rounding of negative speeds.
    EXPECT_EQ(dampedOnce(25).vx.units(), 24);  // 24.5 in double is a hair below the tie
    EXPECT_EQ(dampedOnce(26).vx.units(), 25);
    EXPECT_EQ(dampedOnce(5000).vx.units(), 4900);
    EXPECT_EQ(dampedOnce(30000).vy.units(), -29400);
}

TEST(Rounding, ConversionToInt32HalvesToEvenAndSaturates) {
    // Catches lround-style rounding, truncation or an unguarded cast for huge values.
    using ToInt = std::pair<double, std::int32_t>;
    for (const auto& [x, expected] : std::initializer_list<ToInt>{{0.5, 0},
                                                                  {1.5, 2},
                                                                  {2.5, 2},
                                                                  {-0.5, 0},
                                                                  {-1.5, -2},
                                                                  {1334.5, 1334},
                                                                  {1589.5, 1590},
                                                                  {2147483646.5, 2147483646},
                                                                  {2147483647.5, kMax32},
                                                                  {-1e10, kMin32},
                                                                  {std::nan(""), 0}}) {
        EXPECT_EQ(toInt32(x), expected) << x;
    }
}

TEST(Rounding, ASixteenBitCounterStopsAt32767) {
    // Catches a counter that wraps to -32768 (or is wider than 16 bits).
    EXPECT_EQ(increment16(-1), 0);
    EXPECT_EQ(increment16(32766), 32767);
    EXPECT_EQ(increment16(32767), 32767);
}

TEST(Rectangles, TouchingRectanglesDoNotOverlapButOneTwipDoes) {
    // Catches <= in place of < in the overlap test, or a test on one axis only.
    const RECT pocket{480, 480, 1335, 1215};
    auto overlaps = [&](RECT r) {
        RECT out;
        return IntersectRect(&out, &r, &pocket) != 0;
    };
    EXPECT_FALSE(overlaps({1335, 900, 1590, 1155}));  // touches the right edge
    EXPECT_TRUE(overlaps({1334, 900, 1589, 1155}));
    EXPECT_FALSE(overlaps({600, 1215, 855, 1470}));  // touches the bottom edge
    EXPECT_TRUE(overlaps({600, 1214, 855, 1469}));
    EXPECT_FALSE(overlaps({1335, 1215, 1590, 1470}));  // corner to corner
    EXPECT_FALSE(overlaps({1400, 500, 1600, 700}));    // level with it, beside it
    EXPECT_FALSE(overlaps({600, 600, 600, 700}));      // no width
}

}  // namespace
}  // namespace vorl
