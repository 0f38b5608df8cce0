// SPDX-License-Identifier: MIT
// Aiming and striking from the keyboard: the form hears a mouse's moves and
// presses at the aim point, which turns and stretches around the cue ball.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string_view>

#include "core/game/keyboard_aim.h"
#include "support/game.h"

namespace vorl {
namespace {

using testing::Game;

struct Centre {
    double x;
    double y;
};

Centre cueCentre(const Form1& f) {
    const ShapeControl& cue = f.ball[Form1::kCueBall];
    return {cue.Left + cue.Width / 2.0, cue.Top + cue.Height / 2.0};
}

void press(KeyboardAim& aim, std::string_view name) {
    const std::optional<AimKeyStroke> stroke = aimKeyFromName(name);
    ASSERT_TRUE(stroke) << name;
    aim.press(*stroke);
}

// The pointer's place for a cue ball sent `degrees` clockwise from straight up.
void expectPointerAt(const Form1& f, Centre centre, int degrees, int length) {
    const double radians = degrees * std::numbers::pi / 180.0;
    EXPECT_NEAR(f.lineCue.X2, centre.x - length * std::sin(radians), 0.5) << degrees;
    EXPECT_NEAR(f.lineCue.Y2, centre.y + length * std::cos(radians), 0.5) << degrees;
    EXPECT_EQ(f.lineCue.X2, std::round(f.lineCue.X2 - centre.x) + centre.x) << "whole twips";
}

// Catches arrows turning the wrong way or by the wrong step, Shift not making
// them finer, a length out of its bounds, and a description that lies.
TEST(KeyboardAim, ArrowsTurnAndStretchTheAimAndShiftMakesThemFiner) {
    Game g;
    const Centre c = cueCentre(g.form);
    g.form.Form_MouseMove(0, 0, static_cast<float>(c.x), static_cast<float>(c.y + 1440));
    KeyboardAim aim(g.form, g.form);
    EXPECT_EQ(aim.description(), "Aim: straight up, strength 20 %");
    press(aim, "Right");
    expectPointerAt(g.form, c, 5, 1440);
    press(aim, "Shift+Right");
    expectPointerAt(g.form, c, 6, 1440);
    EXPECT_EQ(aim.description(), "Aim: 6\u00B0 right of straight up, strength 20 %");
    for (int i = 0; i < 8; ++i) {
        press(aim, "Left");
    }
    expectPointerAt(g.form, c, 326, 1440);
    press(aim, "Up");
    press(aim, "Shift+Down");
    expectPointerAt(g.form, c, 326, 1728);
    EXPECT_EQ(aim.description(), "Aim: 34\u00B0 left of straight up, strength 24 %");
    for (int i = 0; i < 30; ++i) {
        press(aim, "Up");
    }
    EXPECT_EQ(aim.description(), "Aim: 34\u00B0 left of straight up, strength 100 %");
    for (int i = 0; i < 30; ++i) {
        press(aim, "Down");
    }
    EXPECT_EQ(aim.description(), "Aim: 34\u00B0 left of straight up, strength 1 %");
    EXPECT_FALSE(aimKeyFromName("Shift+Tab"));
    EXPECT_EQ(g.form.shotActive, 0) << "aiming never strikes";
}

// Catches a stroke that differs from a mouse's move and press at the same
// point, an aim lost or measured from the old place after the ball rolled,
// and moves sent while no key is pressed.
TEST(KeyboardAim, StrikesAsAMouseWouldAndKeepsTheAimAroundTheBallsNewPlace) {
    Game keys;
    Game mouse;
    const Centre c = cueCentre(keys.form);
    keys.form.Form_MouseMove(0, 0, static_cast<float>(c.x), static_cast<float>(c.y + 1440));
    KeyboardAim aim(keys.form, keys.form);
    press(aim, "Enter");
    const float x = keys.form.lineCue.X2;
    const float y = keys.form.lineCue.Y2;
    mouse.form.Form_MouseMove(0, 0, x, y);
    mouse.form.Form_MouseDown(1, 0, x, y);
    EXPECT_EQ(testing::snapshot(keys.form), testing::snapshot(mouse.form));
    EXPECT_EQ(keys.form.ballVel[Form1::kCueBall].vy, testing::units(-1440000));
    EXPECT_EQ(keys.form.p1Clicks, 1);

    for (int i = 0; i < 2000 && keys.form.shotActive != 0; ++i) {
        keys.form.Timer1_Timer();
    }
    ASSERT_EQ(keys.form.shotActive, 0);
    const Centre moved = cueCentre(keys.form);
    ASSERT_NE(moved.y, c.y);
    EXPECT_EQ(keys.form.lineCue.X2, x) << "nothing sent without a key";
    EXPECT_EQ(keys.form.lineCue.Y2, y);
    press(aim, "Shift+Left");
    expectPointerAt(keys.form, moved, 359, 1440);
}

// Catches the keys ignoring where the pointer last aimed, or keeping their own
// aim after the pointer has moved.
TEST(KeyboardAim, StartsFromWhereThePointerLastAimed) {
    Game g;
    const Centre c = cueCentre(g.form);
    KeyboardAim aim(g.form, g.form);
    press(aim, "Right");
    g.form.Form_MouseMove(0, 0, static_cast<float>(c.x - 1000), static_cast<float>(c.y + 1000));
    press(aim, "Shift+Up");
    expectPointerAt(g.form, c, 45, 1486);
    EXPECT_EQ(aim.description(), "Aim: 45\u00B0 right of straight up, strength 21 %");
    g.form.Form_MouseMove(0, 0, static_cast<float>(c.x + 2000), static_cast<float>(c.y));
    EXPECT_EQ(aim.description(), "Aim: straight left, strength 28 %");
}

}  // namespace
}  // namespace vorl
