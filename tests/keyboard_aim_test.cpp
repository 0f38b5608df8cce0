// SPDX-License-Identifier: MIT
// Aiming and striking from the keyboard: the form hears a mouse's moves and
// presses at the aim point, which turns and stretches around the cue ball.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <numbers>
#include <string_view>

#include "core/game/keyboard_aim.h"
#include "support/game.h"

namespace vorl {
namespace {

struct KeyboardAimTest : ::testing::Test {
    testing::Game g;
    KeyboardAim aim{g.form, g.form};

    const ShapeControl& cue = g.form.ball[Form1::kCueBall];
    double cueX() const { return cue.Left + cue.Width / 2.0; }
    double cueY() const { return cue.Top + cue.Height / 2.0; }
    void pointAt(double dx, double dy) {
        g.form.Form_MouseMove(0, 0, static_cast<float>(cueX() + dx),
                              static_cast<float>(cueY() + dy));
    }
    void keys(std::initializer_list<std::string_view> names) {
        for (std::string_view name : names) {
            aim.press(aimKeyFromName(name).value());
        }
    }
    // The cue line ends behind a ball sent `degrees` clockwise from straight up.
    void expectAim(int degrees, int length) {
        const double radians = degrees * std::numbers::pi / 180.0;
        EXPECT_NEAR(g.form.lineCue.X2, cueX() - length * std::sin(radians), 0.5) << degrees;
        EXPECT_NEAR(g.form.lineCue.Y2, cueY() + length * std::cos(radians), 0.5) << degrees;
        EXPECT_EQ(g.form.lineCue.X2 - cueX(), std::round(g.form.lineCue.X2 - cueX()));
    }
};

// Catches arrows turning the wrong way or by the wrong step, Shift not making
// them finer, a length out of its bounds, and a description that lies.
TEST_F(KeyboardAimTest, ArrowsTurnAndStretchTheAimAndShiftMakesThemFiner) {
    pointAt(0, 1440);
    EXPECT_EQ(aim.description(), "Aim: straight up, strength 20 %");
    keys({"Right", "Shift+Right"});
    expectAim(6, 1440);
    keys({"Left", "Left", "Left", "Left", "Left", "Left", "Left", "Left", "Up", "Shift+Down"});
    expectAim(326, 1728);
    EXPECT_EQ(aim.description(), "Aim: 34\u00B0 left of straight up, strength 24 %");
    for (int i = 0; i < 30; ++i) {
        keys({"Up"});
    }
    EXPECT_EQ(aim.description(), "Aim: 34\u00B0 left of straight up, strength 100 %");
    for (int i = 0; i < 30; ++i) {
        keys({"Down"});
    }
    EXPECT_EQ(aim.description(), "Aim: 34\u00B0 left of straight up, strength 1 %");
    EXPECT_FALSE(aimKeyFromName("Shift+Tab"));
    EXPECT_EQ(g.form.shotActive, 0) << "aiming never strikes";
}

// Catches a stroke other than a mouse's move and press at the same point, an
// aim lost or measured from the old place once the ball has rolled, and a
// move sent with no key.
TEST_F(KeyboardAimTest, StrikesAsAMouseWouldAndKeepsTheAimAroundTheBallsNewPlace) {
    pointAt(0, 1440);
    keys({"Enter"});
    testing::Game mouse;
    const float x = g.form.lineCue.X2, y = g.form.lineCue.Y2;
    mouse.form.Form_MouseMove(0, 0, x, y);
    mouse.form.Form_MouseDown(1, 0, x, y);
    EXPECT_EQ(testing::snapshot(g.form), testing::snapshot(mouse.form));
    EXPECT_EQ(g.form.ballVel[Form1::kCueBall].vy, testing::units(-1440000));
    for (int i = 0; i < 2000 && g.form.shotActive != 0; ++i) {
        g.form.Timer1_Timer();
    }
    ASSERT_EQ(g.form.shotActive, 0);
    EXPECT_EQ(g.form.lineCue.X2, x) << "nothing sent without a key";
    EXPECT_EQ(g.form.lineCue.Y2, y);
    keys({"Shift+Left"});
    expectAim(359, 1440);
}

// Catches the keys ignoring where the pointer last aimed, or keeping their own
// aim once the pointer has moved.
TEST_F(KeyboardAimTest, StartsFromWhereThePointerLastAimed) {
    keys({"Right"});
    pointAt(-1000, 1000);
    keys({"Shift+Up"});
    expectAim(45, 1486);
    pointAt(2000, 0);
    EXPECT_EQ(aim.description(), "Aim: straight left, strength 28 %");
}

}  // namespace
}  // namespace vorl
