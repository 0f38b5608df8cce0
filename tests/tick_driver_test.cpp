// SPDX-License-Identifier: MIT
// The tick driver on a fake platform: when it ticks and sleeps, what it
// drops while a box is open, and how it survives a handler that throws.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/driver/tick_driver.h"
#include "support/doubles.h"

namespace vorl {
namespace {

using Pointers = std::vector<testing::RecordingForm::Pointer>;

// The driver on a fake platform: one timer, a clock that moves only when it
// fires, and what was asked of it.
class TickDriverOnAFakePort : public ::testing::Test, public DriverPort {
  protected:
    TickDriverOnAFakePort() { form.rests = true; }
    void armTimer(int ms) override { armed = ms; }
    void cancelTimer() override { armed.reset(); }
    void requestFrame() override {
        ++frames;
        onFrame();
    }
    std::chrono::nanoseconds now() const override { return clock; }
    void reportError(std::string_view what) override { errors.emplace_back(what); }
    bool held() const override { return boxOpen; }
    // The armed timer goes off: false when none was armed or the tick did not run.
    bool fire() {
        const std::optional<int> ms = std::exchange(armed, std::nullopt);
        clock += std::chrono::milliseconds(ms.value_or(0));
        return ms && driver.tick();
    }

    std::optional<int> armed;
    int frames = 0;
    std::chrono::nanoseconds clock{0};
    std::vector<std::string> errors;
    bool boxOpen = false;
    std::function<void()> onFrame = [] {};
    testing::RecordingForm form;
    TickDriver driver{form, *this};
};

// Catches a timer that ticks on over a table at rest, input that does not
// start it again, a first tick sooner or later than one period on, and a
// driver put to sleep after it asks for a frame: a wake-up from there would
// be lost, and the game would stand still.
TEST_F(TickDriverOnAFakePort, SleepsAtRestInputWakesItOnePeriodLaterAndNoWakeUpIsLost) {
    driver.start();
    EXPECT_EQ(armed, 16);
    EXPECT_TRUE(fire());
    EXPECT_TRUE(driver.asleep());
    EXPECT_EQ(armed, std::nullopt);
    for (const auto& input : std::vector<std::function<void()>>{
             [&] { driver.mouseMove(0, 0, 1, 2); }, [&] { driver.mouseDown(1, 0, 1, 2); },
             [&] { driver.menuClick("mnuReset"); }}) {
        input();
        EXPECT_EQ(armed, 16);
        EXPECT_TRUE(fire());
        EXPECT_TRUE(driver.asleep());
    }
    driver.menuClick("mnuReset");
    driver.paint(1);
    form.back = 7;  // changed outside the tick: the frame is out of date
    onFrame = [&] { driver.mouseMove(0, 0, 5, 5); };
    EXPECT_TRUE(fire());
    EXPECT_EQ(armed, 16);
}

// Catches an exception that escapes to the platform, is reported twice or
// not at all, leaves the form busy, skips the input's wake-up or leaves the
// next tick unarmed.
TEST_F(TickDriverOnAFakePort, WhatAHandlerOrATickThrowsIsReportedOnceAndTheGameGoesOn) {
    driver.start();
    fire();
    ASSERT_TRUE(driver.asleep());
    form.onMenuClick = [] { throw std::runtime_error("overflow"); };
    driver.menuClick("mnuReset");
    EXPECT_EQ(armed, 16);
    form.onTimer = [] { throw 42; };
    EXPECT_TRUE(fire());
    EXPECT_EQ(armed, 16);
    EXPECT_EQ(errors, (std::vector<std::string>{"overflow", "unknown exception"}));
    EXPECT_FALSE(driver.busy());
}

// Catches ticks, presses and menu clicks let through a box's own event loop,
// anything but the last move handed on when it closes, and a page's box that
// lets the game tick, wake or repaint a newer frame under it.
TEST_F(TickDriverOnAFakePort, WhileABoxIsOpenInputIsDroppedButTheLastMoveAndTheFrameIsHeld) {
    driver.start();
    form.onMenuClick = [&] {  // a box is open
        driver.mouseMove(0, 0, 100, 200);
        EXPECT_FALSE(fire());
        driver.mouseDown(1, 0, 100, 200);
        driver.menuClick("mnuReset");
        driver.mouseMove(1, 4, 300, 400);
    };
    driver.menuClick("mnuprog");
    EXPECT_EQ(form.clicks, std::vector<std::string>{"mnuprog"});
    EXPECT_EQ(form.moves, (Pointers{{1, 4, 300, 400}}));
    EXPECT_TRUE(form.downs.empty());
    EXPECT_EQ(armed, 16);                                  // the box's closing woke it
    form.onTimer = [&] { driver.mouseMove(0, 0, 5, 6); };  // the winner's box
    EXPECT_TRUE(fire());
    EXPECT_EQ(form.moves, (Pointers{{1, 4, 300, 400}, {0, 0, 5, 6}}));
    EXPECT_EQ(armed, 16);  // the move may change the next tick

    const Colour under = driver.paint(1).primitives()[0].fill.colour;
    boxOpen = true;
    form.back = 9;
    EXPECT_FALSE(fire());
    driver.mouseMove(0, 0, 7, 8);
    EXPECT_EQ(armed, std::nullopt);
    EXPECT_EQ(driver.paint(2).primitives()[0].fill.colour, under);
    boxOpen = false;
    frames = 0;
    driver.start();
    EXPECT_EQ(frames, 1);
    EXPECT_EQ(armed, 16);
}

}  // namespace
}  // namespace vorl
