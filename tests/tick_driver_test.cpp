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

// One timer, a clock that moves only when it fires, and what was asked of it.
class FakePort final : public DriverPort {
  public:
    void armTimer(int ms) override { armed = ms; }
    void cancelTimer() override { armed.reset(); }
    void requestFrame() override {
        ++frames;
        if (onFrame) {
            onFrame();
        }
    }
    std::chrono::nanoseconds now() const override { return clock; }
    void reportError(std::string_view what) override { errors.emplace_back(what); }
    bool held() const override { return boxOpen; }

    std::optional<int> armed;
    int frames = 0;
    std::chrono::nanoseconds clock{0};
    std::vector<std::string> errors;
    bool boxOpen = false;
    std::function<void()> onFrame;
};

struct Driven {
    Driven() { form.rests = true; }
    // The armed timer goes off: false when none was armed or the tick did not run.
    bool fire() {
        if (!port.armed) {
            return false;
        }
        port.clock += std::chrono::milliseconds(*std::exchange(port.armed, std::nullopt));
        return driver.tick();
    }
    testing::RecordingForm form;
    FakePort port;
    TickDriver driver{form, port};
};

// Catches a timer that ticks on over a table at rest, input that does not
// start it again, or a first tick sooner or later than one period on.
TEST(TickDriver, SleepsAfterATickAtRestAndInputWakesItOnePeriodLater) {
    Driven d;
    d.driver.start();
    EXPECT_EQ(d.port.armed, 16);
    d.form.onTimer = [&] { ++d.form.back; };
    EXPECT_TRUE(d.fire());
    EXPECT_EQ(d.port.armed, 16);
    d.form.onTimer = nullptr;
    EXPECT_TRUE(d.fire());
    EXPECT_TRUE(d.driver.asleep());
    EXPECT_EQ(d.port.armed, std::nullopt);
    for (const auto& input : std::vector<std::function<void()>>{
             [&] { d.driver.mouseMove(0, 0, 1, 2); }, [&] { d.driver.mouseDown(1, 0, 1, 2); },
             [&] { d.driver.menuClick("mnuReset"); }}) {
        input();
        EXPECT_EQ(d.port.armed, 16);
        EXPECT_TRUE(d.fire());
        EXPECT_TRUE(d.driver.asleep());
    }
}

// Catches an exception that escapes to the platform, is reported twice or
// not at all, leaves the form busy, skips the input's wake-up or leaves the
// next tick unarmed.
TEST(TickDriver, WhatAHandlerOrATickThrowsIsReportedOnceAndTheGameGoesOn) {
    Driven d;
    d.driver.start();
    d.fire();
    ASSERT_TRUE(d.driver.asleep());
    d.form.onMenuClick = [] { throw std::runtime_error("overflow"); };
    d.driver.menuClick("mnuReset");
    EXPECT_EQ(d.port.armed, 16);
    d.form.onTimer = [] { throw 42; };
    EXPECT_TRUE(d.fire());
    EXPECT_EQ(d.port.armed, 16);
    EXPECT_EQ(d.port.errors, (std::vector<std::string>{"overflow", "unknown exception"}));
    EXPECT_FALSE(d.driver.busy());
    d.driver.mouseDown(1, 0, 0, 0);
    EXPECT_EQ(d.form.downs.size(), 1u);
}

// Catches a driver put to sleep after it asks for a frame: a wake-up from
// the frame's request would be lost, and the game would stand still.
TEST(TickDriver, AWakeUpFromTheFrameRequestAfterATickAtRestIsKept) {
    Driven d;
    d.driver.start();
    d.driver.paint(1);
    d.port.frames = 0;
    d.form.back = 7;  // changed outside the tick: the frame is out of date
    d.port.onFrame = [&] { d.driver.mouseMove(0, 0, 5, 5); };
    EXPECT_TRUE(d.fire());
    EXPECT_EQ(d.port.frames, 1);
    EXPECT_EQ(d.port.armed, 16);
}

// Catches ticks, presses and menu clicks let through a box's own event loop,
// anything but the last move handed on when it closes, and a page's box that
// lets the game tick, wake or repaint a newer frame under it.
TEST(TickDriver, WhileABoxIsOpenInputIsDroppedButTheLastMoveAndTheFrameIsHeld) {
    Driven d;
    d.driver.start();
    d.form.onMenuClick = [&] {  // a box is open
        d.driver.mouseMove(0, 0, 100, 200);
        EXPECT_FALSE(d.fire());
        d.driver.mouseDown(1, 0, 100, 200);
        d.driver.menuClick("mnuReset");
        d.driver.mouseMove(1, 4, 300, 400);
    };
    d.driver.menuClick("mnuprog");
    EXPECT_EQ(d.form.clicks, std::vector<std::string>{"mnuprog"});
    EXPECT_EQ(d.form.moves, (Pointers{{1, 4, 300, 400}}));
    EXPECT_TRUE(d.form.downs.empty());
    EXPECT_EQ(d.port.armed, 16);                               // the box's closing woke it
    d.form.onTimer = [&] { d.driver.mouseMove(0, 0, 5, 6); };  // the winner's box
    EXPECT_TRUE(d.fire());
    EXPECT_EQ(d.form.moves, (Pointers{{1, 4, 300, 400}, {0, 0, 5, 6}}));
    EXPECT_EQ(d.port.armed, 16);  // the move may change the next tick

    const Colour under = d.driver.paint(1).primitives()[0].fill.colour;
    d.port.boxOpen = true;
    d.form.back = 9;
    EXPECT_FALSE(d.fire());
    d.driver.mouseMove(0, 0, 7, 8);
    EXPECT_EQ(d.port.armed, std::nullopt);
    EXPECT_EQ(d.driver.paint(2).primitives()[0].fill.colour, under);
    d.port.boxOpen = false;
    d.port.frames = 0;
    d.driver.start();
    EXPECT_EQ(d.port.frames, 1);
    EXPECT_EQ(d.port.armed, 16);
}

}  // namespace
}  // namespace vorl
