// SPDX-License-Identifier: MIT
// A saved game read back: it goes on to the bit, and damaged bytes are refused whole.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "core/runtime/form_state.h"
#include "support/game.h"

namespace vorl {
namespace {

using testing::Game;
using testing::snapshot;
using FreshGame = testing::GameWith<>;  // its source at the front-ends' seed, 0

std::string saved(const Form1& f) {
    FormState state;
    EXPECT_TRUE(f.saveState(state));
    return std::string(state.bytes());
}

void tick(Form1& f, int n) {
    for (int i = 0; i < n; ++i) {
        f.Timer1_Timer();
    }
}

void strike(Form1& f, float x, float y) {
    f.Form_MouseMove(0, 0, x, y);
    f.Form_MouseDown(1, 0, x, y);
}

// The same strokes and ticks on either game, to the end of the rack or not.
void playOn(Form1& f) {
    for (const float x : {9000.0f, 8100.0f, 7200.0f, 6300.0f}) {
        tick(f, 120);
        strike(f, x, 12000.0f - x);
    }
}

// Loads the state of `original` into a fresh window, then plays both on.
void expectLoadedGameGoesOnTheSame(Game& original) {
    FreshGame loaded;
    std::string why;
    ASSERT_TRUE(loaded.form.loadState(saved(original.form), &why)) << why;
    EXPECT_EQ(saved(loaded.form), saved(original.form));
    original.messages.shown.clear();
    playOn(original.form);
    playOn(loaded.form);
    EXPECT_EQ(saved(loaded.form), saved(original.form));
    EXPECT_EQ(snapshot(loaded.form), snapshot(original.form));
    EXPECT_EQ(loaded.messages.shown, original.messages.shown);
}

// Catches a field or the random source's state left out of the state, or
// read back into the wrong place.
TEST(SavedGame, LoadedMidShotGoesOnBitForBit) {
    Game g;
    strike(g.form, 8000, 3247.5f);
    tick(g.form, 25);
    ASSERT_EQ(g.form.shotActive, 1);
    expectLoadedGameGoesOnTheSame(g);
}

// Catches a loaded game whose random source starts again from its seed: the
// last-ball colours would differ from the first tick on.
TEST(SavedGame, LoadedWhileTheLastBallColoursCycleDrawsTheSameColours) {
    Game g;
    testing::lastBallOverPocket(g.form, "7", "7");
    g.form.ball[0].Left = 3000;  // off the pocket, rolling
    g.form.ballVel[0] = {testing::units(31000), testing::units(-12000)};
    strike(g.form, 9000, 2000);
    tick(g.form, 7);
    const Colour cloth = g.form.shpTableLay1.FillColor;
    g.form.Timer1_Timer();
    ASSERT_NE(g.form.shpTableLay1.FillColor, cloth) << "the colours do not cycle";
    expectLoadedGameGoesOnTheSame(g);
}

// Offsets into a state: the mark, version and fingerprint (at 0, 4 and 8)
// come first, then ball 0 ("ball", its index, its shape), and the variables
// near the end.
constexpr std::size_t kBall0ShapeAt = 16 + 4 + 4 + 4;
constexpr std::size_t kBall0VisibleAt = kBall0ShapeAt + 11 * 4;
constexpr std::size_t kCurPlayerFromEnd = 4 + 8 + 4 * 2;

template <typename T>
std::string with(std::string bytes, std::size_t at, T value) {
    std::memcpy(bytes.data() + at, &value, sizeof value);
    return bytes;
}

class RefusedState : public ::testing::Test {
  protected:
    RefusedState() {
        strike(target.form, 7000, 1000);
        tick(target.form, 1);
        before = saved(target.form);
        FreshGame other;
        strike(other.form, 9000, 4000);
        good = saved(other.form);
    }
    // Fails unless `bytes` are refused for `reason` and the target is untouched.
    void expectRefused(const std::string& bytes, const std::string& reason) {
        std::string why;
        EXPECT_FALSE(target.form.loadState(bytes, &why));
        EXPECT_NE(why.find(reason), std::string::npos) << why;
        EXPECT_EQ(saved(target.form), before);
    }
    Game target;
    std::string before;
    std::string good;
};

// Catches a reader that takes what a state cannot hold, or keeps half of it.
TEST_F(RefusedState, DamagedOrForeignStatesAreRefusedWhole) {
    expectRefused(good + '\0', "after the end");
    expectRefused(with(good, 4, std::uint32_t{2}), "version");
    expectRefused(with(good, 0, std::uint32_t{0x564F524C}), "saved game");
    expectRefused(with(good, 8, std::uint64_t{1}), "layout");
    expectRefused(with(good, kBall0ShapeAt, std::int32_t{4}), "style out of range");
    expectRefused(with(good, kBall0VisibleAt, std::int32_t{2}), "neither 0 nor 1");
    expectRefused(with(good, kBall0VisibleAt - 8, std::int32_t{2}), "style out of range");
    expectRefused(with(good, good.size() - kCurPlayerFromEnd, std::int16_t{3}), "no such player");
    for (std::size_t n = 0; n < good.size(); ++n) {
        SCOPED_TRACE(n);
        expectRefused(good.substr(0, n), "cut short");
    }
}

// Catches a crash, a half-loaded form or a state that loads as something
// else: each byte flipped in turn is refused, or loaded to save the same bytes.
TEST_F(RefusedState, AFlippedByteIsRefusedOrLoadsExactly) {
    int accepted = 0;
    for (std::size_t at = 0; at < good.size(); ++at) {
        std::string bytes = good;
        bytes[at] = static_cast<char>(bytes[at] ^ 0x41);
        FreshGame g;
        const std::string fresh = saved(g.form);
        if (g.form.loadState(bytes, nullptr)) {
            ++accepted;
            EXPECT_EQ(saved(g.form), bytes) << at;
            tick(g.form, 3);  // under the sanitizers
        } else {
            EXPECT_EQ(saved(g.form), fresh) << at;
        }
    }
    EXPECT_GT(accepted, 0) << "no caption, colour or position byte was taken";
}

}  // namespace
}  // namespace vorl
