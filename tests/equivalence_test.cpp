// SPDX-License-Identifier: MIT
// The tick's fast paths against the plain formulations they replaced, kept
// here as references: on random and adversarial tables every float and every
// fixed-point value must come out the same to the bit.
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "core/game/rules/pocket_overlap.h"
#include "core/game/rules/tally.h"
#include "core/numeric/fixed_point.h"
#include "core/numeric/rounding.h"
#include "core/numeric/saturating_counter.h"
#include "core/runtime/rect.h"
#include "support/game.h"

namespace vorl {
namespace {

using testing::Game;

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kFloatMax = std::numeric_limits<float>::max();
constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

// --- The plain formulations ---

namespace reference {

Fixed toFixedByLlrint(double x) {
    const double scaled = x * kFixedScale;
    if (std::isnan(scaled)) {
        return Fixed();
    }
    if (scaled >= 9223372036854775808.0) {
        return Fixed::fromUnits(kMax);
    }
    if (scaled < -9223372036854775808.0) {
        return Fixed::fromUnits(kMin);
    }
    return Fixed::fromUnits(std::llrint(scaled));
}

Fixed mulFixedWide(Fixed a, Fixed b) {
    const __int128 product = static_cast<__int128>(a.units()) * b.units();
    __int128 quotient = product / 10000;
    const __int128 remainder = product % 10000;
    const __int128 twiceRest = 2 * (remainder < 0 ? -remainder : remainder);
    if (twiceRest > 10000 || (twiceRest == 10000 && (quotient & 1) != 0)) {
        quotient += product < 0 ? -1 : 1;
    }
    return Fixed::fromUnits(quotient > kMax   ? kMax
                            : quotient < kMin ? kMin
                                              : static_cast<std::int64_t>(quotient));
}

std::int32_t toInt32ByNearbyint(double x) {
    const double r = std::nearbyint(x);
    if (std::isnan(r)) {
        return 0;
    }
    if (r >= 2147483647.0) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (r <= -2147483648.0) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(r);
}

// Every ordered pair, the square root and both tests first, as the pass
// was first written.
void CheckCollisions(Form1& f) {
    auto rewound = [](float position, Fixed velocity, double t) {
        return static_cast<float>(static_cast<double>(position) - asDouble(velocity) * t);
    };
    auto advanced = [](float position, Fixed velocity, double t) {
        return static_cast<float>(static_cast<double>(position) + asDouble(velocity) * t);
    };
    for (int a = 0; a < Form1::kBallCount; ++a) {
        for (int b = 0; b < Form1::kBallCount; ++b) {
            if (b == a) {
                continue;
            }
            ShapeControl& ballA = f.ball[a];
            ShapeControl& ballB = f.ball[b];
            const Fixed vxa = f.ballVel[a].vx, vya = f.ballVel[a].vy;
            const Fixed vxb = f.ballVel[b].vx, vyb = f.ballVel[b].vy;
            const float r = ballA.Width / 2;
            const float dx = ballB.Left - ballA.Left;
            const float dy = ballB.Top - ballA.Top;
            const float d2 = dx * dx + dy * dy;
            const double d = std::sqrt(static_cast<double>(d2));
            if (d == 0 || !(d < r + r)) {
                continue;
            }
            const double pa = asDouble(toFixedByLlrint(asDouble(vxa) * dx)) / d +
                              asDouble(toFixedByLlrint(asDouble(vya) * dy)) / d;
            const double pb = asDouble(toFixedByLlrint(asDouble(vxb) * dx)) / d +
                              asDouble(toFixedByLlrint(asDouble(vyb) * dy)) / d;
            const double t = pa - pb != 0 ? (static_cast<double>(r + r) - d) / (pa - pb) : 0.0;
            ballA.Left = rewound(ballA.Left, vxa, t);
            ballA.Top = rewound(ballA.Top, vya, t);
            ballB.Left = rewound(ballB.Left, vxb, t);
            ballB.Top = rewound(ballB.Top, vyb, t);
            const double c = dx / d;
            const Fixed s = toFixedByLlrint(dy / d);
            const Fixed na = toFixedByLlrint(asDouble(vxa) * c) + mulFixedWide(vya, s);
            const Fixed ta = mulFixedWide(-vxa, s) + toFixedByLlrint(asDouble(vya) * c);
            const Fixed nb = toFixedByLlrint(asDouble(vxb) * c) + mulFixedWide(vyb, s);
            const Fixed tb = mulFixedWide(-vxb, s) + toFixedByLlrint(asDouble(vyb) * c);
            BallVelocity& velA = f.ballVel[a];
            BallVelocity& velB = f.ballVel[b];
            velA.vx = toFixedByLlrint(asDouble(nb) * c) - mulFixedWide(ta, s);
            velA.vy = mulFixedWide(nb, s) + toFixedByLlrint(asDouble(ta) * c);
            velB.vx = toFixedByLlrint(asDouble(na) * c) - mulFixedWide(tb, s);
            velB.vy = mulFixedWide(na, s) + toFixedByLlrint(asDouble(tb) * c);
            ballA.Left = advanced(ballA.Left, velA.vx, t);
            ballA.Top = advanced(ballA.Top, velA.vy, t);
            ballB.Left = advanced(ballB.Left, velB.vx, t);
            ballB.Top = advanced(ballB.Top, velB.vy, t);
        }
    }
}

RECT roundedRect(const ShapeControl& s) {
    return RECT{toInt32ByNearbyint(s.Left), toInt32ByNearbyint(s.Top),
                toInt32ByNearbyint(static_cast<double>(s.Left) + static_cast<double>(s.Width)),
                toInt32ByNearbyint(static_cast<double>(s.Top) + static_cast<double>(s.Height))};
}

bool overPocket(const ShapeControl& ball, const ShapeControl& pocket) {
    RECT out;
    const RECT b = roundedRect(ball);
    const RECT p = roundedRect(pocket);
    return IntersectRect(&out, &b, &p) != 0;
}

// Both rectangles worked out afresh for every ball and pocket.
void CheckBallsSunk(Form1& f) {
    for (int k = 0; k < Form1::kPocketCount; ++k) {
        for (int j = 0; j < Form1::kObjectBallCount; ++j) {
            if (!overPocket(f.ball[j], f.Pcoket[k])) {
                continue;
            }
            f.ball[j].Left = -1000000000.0f;
            f.ball[j].Top = -1000000000.0f;
            f.ball[j].Visible = false;
            f.lblP1BC.Caption = tallyText(readTally(f.lblP1BC.Caption) + 1);
            f.ballsSunk = increment16(f.ballsSunk);
        }
    }
}

}  // namespace reference

// --- Tables ---

// Values a coordinate can take in odd corners of the game: parked, saturated
// by the move step, beyond the float range, or not a number.
constexpr float kOddCoordinates[] = {-1000000000.0f,
                                     922337203685477.0f,
                                     kFloatMax,
                                     -kFloatMax,
                                     kInf,
                                     -kInf,
                                     NAN,
                                     -0.0f,
                                     1e-45f,
                                     0.0f};

class TableMaker {
  public:
    explicit TableMaker(std::uint64_t seed) : rng_(seed) {}

    // A table crowded enough that many pairs touch, with some balls placed
    // exactly at, or a float step either side of, a contact distance, some
    // on top of each other, and now and then odd coordinates, speeds or widths.
    void fill(Form1& f) {
        for (int i = 0; i < Form1::kBallCount; ++i) {
            ShapeControl& b = f.ball[i];
            b.Width = b.Height = (i == Form1::kCueBall) ? 255.0f : 375.0f;
            b.Left = uniform(2000, 3600);
            b.Top = uniform(1000, 2600);
            b.Visible = true;
            f.ballVel[i] = {speed(), speed()};
            if (i > 0 && chance(0.3)) {
                nearContact(f, i);
            }
            if (chance(0.04)) {
                b.Left = pick(kOddCoordinates);
            }
            if (chance(0.04)) {
                b.Top = pick(kOddCoordinates);
            }
            if (chance(0.02)) {
                static constexpr float kOddWidths[] = {0.0f,   -375.0f,   NAN,       kInf,
                                                       1e-45f, kFloatMax, 374.99997f};
                b.Width = pick(kOddWidths);
            }
            if (chance(0.05)) {
                b.Left = b.Top = -1000000000.0f;  // pocketed and parked
                b.Visible = false;
            }
        }
    }

  private:
    float uniform(float lo, float hi) {
        return std::uniform_real_distribution<float>(lo, hi)(rng_);
    }
    bool chance(double p) { return std::bernoulli_distribution(p)(rng_); }
    std::size_t index(std::size_t count) {
        return std::uniform_int_distribution<std::size_t>(0, count - 1)(rng_);
    }
    template <typename T, std::size_t N>
    const T& pick(const T (&values)[N]) {
        return values[index(N)];
    }

    // Mostly game speeds (up to 200 twips a tick), now and then the extremes.
    Fixed speed() {
        if (chance(0.02)) {
            static constexpr std::int64_t kOddSpeeds[] = {kMax, kMin, kMax - 1, kMin + 1, 1};
            return Fixed::fromUnits(pick(kOddSpeeds));
        }
        return Fixed::fromUnits(
            std::uniform_int_distribution<std::int64_t>(-2000000, 2000000)(rng_));
    }

    // Puts ball i at an exact contact distance from an earlier ball, or one
    // float step nearer or farther, or on the very same spot.
    void nearContact(Form1& f, int i) {
        ShapeControl& other = f.ball[std::uniform_int_distribution<int>(0, i - 1)(rng_)];
        ShapeControl& b = f.ball[i];
        if (chance(0.3)) {
            // A width whose square no float holds, met exactly.
            other.Width = uniform(300, 400);
            b.Left = other.Left + other.Width;
            b.Top = other.Top;
        } else {
            // 375 and 255 along an axis; 225-300-375 and 153-204-255 across.
            static constexpr float kOffsets[][2] = {{375, 0}, {0, 375},   {225, 300}, {-300, 225},
                                                    {255, 0}, {153, 204}, {0, 0},     {-375, 0}};
            const float* o = kOffsets[index(std::size(kOffsets))];
            b.Left = other.Left + o[0];
            b.Top = other.Top + o[1];
        }
        const int nudge = std::uniform_int_distribution<int>(-1, 1)(rng_);
        if (nudge != 0) {
            b.Left = std::nextafter(b.Left, static_cast<float>(nudge) * kInf);
        }
    }

    std::mt19937_64 rng_;
};

// Each float compared by its bits, so NaN and the sign of zero count too.
void expectSameTable(const Form1& got, const Form1& want, int table) {
    for (int i = 0; i < Form1::kBallCount; ++i) {
        ASSERT_EQ(std::bit_cast<std::uint32_t>(got.ball[i].Left),
                  std::bit_cast<std::uint32_t>(want.ball[i].Left))
            << "table " << table << " ball " << i << " Left " << want.ball[i].Left;
        ASSERT_EQ(std::bit_cast<std::uint32_t>(got.ball[i].Top),
                  std::bit_cast<std::uint32_t>(want.ball[i].Top))
            << "table " << table << " ball " << i << " Top " << want.ball[i].Top;
        ASSERT_EQ(got.ball[i].Visible, want.ball[i].Visible) << "table " << table << " ball " << i;
        ASSERT_EQ(got.ballVel[i].vx.units(), want.ballVel[i].vx.units())
            << "table " << table << " ball " << i;
        ASSERT_EQ(got.ballVel[i].vy.units(), want.ballVel[i].vy.units())
            << "table " << table << " ball " << i;
    }
}

std::array<float, Form1::kBallCount> leftsOf(const Form1& f) {
    std::array<float, Form1::kBallCount> lefts;
    for (int i = 0; i < Form1::kBallCount; ++i) {
        lefts[i] = f.ball[i].Left;
    }
    return lefts;
}

// Copies the balls of one window onto another.
void copyBalls(const Form1& from, Form1& to) {
    to.ball = from.ball;
    to.ballVel = from.ballVel;
}

// Catches a contact test that drops or adds a pair (at the exact contact
// distance, with odd widths or coordinates), or any reordering of the
// arithmetic that moves a result by one bit. Three passes in a row let the
// differences of one pass feed the next.
TEST(Equivalence, CollisionPassMatchesThePlainFormulationToTheBit) {
    Game fast;
    Game plain;
    TableMaker maker(20261208);
    int contacts = 0;
    for (int table = 0; table < 4000; ++table) {
        maker.fill(fast.form);
        copyBalls(fast.form, plain.form);
        for (int pass = 0; pass < 3; ++pass) {
            const std::array<float, Form1::kBallCount> lefts = leftsOf(fast.form);
            ASSERT_TRUE(fast.form.callProcedure("CheckCollisions"));
            reference::CheckCollisions(plain.form);
            ASSERT_NO_FATAL_FAILURE(expectSameTable(fast.form, plain.form, table));
            contacts += std::bit_cast<std::array<std::uint32_t, Form1::kBallCount>>(lefts) !=
                                std::bit_cast<std::array<std::uint32_t, Form1::kBallCount>>(
                                    leftsOf(fast.form))
                            ? 1
                            : 0;
        }
    }
    // The tables must actually exercise the contact path.
    EXPECT_GT(contacts, 4000);
}

// Catches a pocket check that reuses a ball's rectangle after parking it,
// or a pocket's after it could have changed.
TEST(Equivalence, PocketPassMatchesThePlainFormulation) {
    Game fast;
    Game plain;
    std::mt19937_64 rng(99);
    std::uniform_real_distribution<float> x(-200, 11600);
    std::uniform_real_distribution<float> y(-200, 6400);
    int sunk = 0;
    const auto openingPockets = fast.form.Pcoket;
    for (int table = 0; table < 3000; ++table) {
        fast.form.Pcoket = openingPockets;
        for (ShapeControl& b : fast.form.ball) {
            b.Left = std::nearbyint(x(rng) * 2) / 2;  // many edges on half twips
            b.Top = std::nearbyint(y(rng) * 2) / 2;
            b.Visible = true;
        }
        fast.form.ball[table % 15].Left = kOddCoordinates[table % std::size(kOddCoordinates)];
        if (table % 2 == 1) {
            // Pockets crowded together, so one ball can lie over several.
            for (ShapeControl& pocket : fast.form.Pcoket) {
                pocket.Left = std::nearbyint(x(rng) / 4);
                pocket.Top = std::nearbyint(y(rng) / 4);
            }
            for (ShapeControl& b : fast.form.ball) {
                b.Left = std::nearbyint(x(rng) / 4);
                b.Top = std::nearbyint(y(rng) / 4);
            }
        }
        plain.form.Pcoket = fast.form.Pcoket;
        fast.form.curPlayer = plain.form.curPlayer = 1;
        fast.form.ballsSunk = plain.form.ballsSunk = 0;
        fast.form.lblP1BC.Caption = plain.form.lblP1BC.Caption = "";
        copyBalls(fast.form, plain.form);
        ASSERT_TRUE(fast.form.callProcedure("CheckBallsSunk"));
        reference::CheckBallsSunk(plain.form);
        ASSERT_NO_FATAL_FAILURE(expectSameTable(fast.form, plain.form, table));
        ASSERT_EQ(fast.form.ballsSunk, plain.form.ballsSunk) << "table " << table;
        ASSERT_EQ(fast.form.lblP1BC.Caption, plain.form.lblP1BC.Caption) << "table " << table;
        sunk += fast.form.ballsSunk;
    }
    EXPECT_GT(sunk, 1000);
}

// Doubles around every halfway point and range edge the conversions meet,
// then random bit patterns of every magnitude.
std::vector<double> awkwardDoubles() {
    std::vector<double> xs;
    for (double base :
         {0.0, 0.5, 1.5, 2.5, 1334.5, 0.00005, 312.5, 2147483646.5, 2147483647.5, 2147483648.0,
          4503599627370495.5, 4503599627370496.0, 9007199254740993.0, 9.2233720368547748e14,
          922337203685477.5807, 9.2233720368547758e18, 1e300, 5e-324}) {
        for (double sign : {1.0, -1.0}) {
            const double x = sign * base;
            xs.push_back(x);
            xs.push_back(std::nextafter(x, INFINITY));
            xs.push_back(std::nextafter(x, -INFINITY));
        }
    }
    xs.insert(xs.end(), {INFINITY, -INFINITY, NAN, -NAN});
    std::mt19937_64 rng(5);
    for (int i = 0; i < 200000; ++i) {
        xs.push_back(std::bit_cast<double>(rng()));
    }
    std::uniform_real_distribution<double> halves(-1e7, 1e7);
    for (int i = 0; i < 100000; ++i) {
        xs.push_back(std::nearbyint(halves(rng)) + 0.5);
    }
    return xs;
}

// Catches a rounding shortcut that rounds halves away from zero, loses the
// saturation or breaks at 2^52 and beyond.
TEST(Equivalence, RoundingConversionsMatchTheLibraryOnes) {
    for (const double x : awkwardDoubles()) {
        ASSERT_EQ(toFixed(x).units(), reference::toFixedByLlrint(x).units()) << x;
        ASSERT_EQ(toInt32(x), reference::toInt32ByNearbyint(x)) << x;
        ASSERT_EQ(toInt32(x / kFixedScale), reference::toInt32ByNearbyint(x / kFixedScale)) << x;
    }
}

// Catches a 64-bit product taken where it overflows, or rounding that
// differs between the narrow and the wide path.
TEST(Equivalence, FixedProductMatchesTheWideOne) {
    std::mt19937_64 rng(11);
    std::vector<std::int64_t> edges{0,          1,           -1,      5000,      -5000,
                                    15000,      kMax,        kMin,    kMax - 1,  kMin + 1,
                                    3037000499, -3037000500, 1 << 20, 4294967296};
    for (int i = 0; i < 100000; ++i) {
        const int bits = std::uniform_int_distribution<int>(1, 63)(rng);
        edges.push_back(static_cast<std::int64_t>(rng()) >> (64 - bits));
    }
    for (std::size_t i = 0; i + 1 < edges.size(); ++i) {
        for (const std::int64_t other : {edges[i + 1], edges[(i * 7) % edges.size()]}) {
            const Fixed a = Fixed::fromUnits(edges[i]);
            const Fixed b = Fixed::fromUnits(other);
            ASSERT_EQ(mulFixed(a, b).units(), reference::mulFixedWide(a, b).units())
                << edges[i] << " * " << other;
        }
    }
}

}  // namespace
}  // namespace vorl
