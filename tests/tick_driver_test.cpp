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

namespace vorl {
namespace {

using Log = std::vector<std::string>;

// Logs each handler call; its one piece of state is its back colour, which
// a tick leaves alone unless a hook changes it. A test may hook the tick and
// the menu click, as a box opened from them would, to send events meanwhile.
class LoggingForm final : public Form {
  public:
    std::string caption() const override { return "Logging"; }
    std::string applicationTitle() const override { return "Log"; }
    float clientWidth() const override { return 150; }
    float clientHeight() const override { return 150; }
    Colour backColour() const override { return colour; }
    std::vector<ControlRef> controlsBackToFront() const override { return {}; }
    const std::vector<MenuItem>& menuBar() const override { return menus_; }
    TextReadout textReadout() const override { return {}; }
    bool saveState(FormState& state) const override {
        state.clear();
        state.add(colour);
        return true;
    }
    void load() override { log.push_back("load"); }
    void timer() override { call("tick", onTimer); }
    void mouseMove(std::int16_t button, std::int16_t shift, float x, float y) override {
        log.push_back("move " + std::to_string(button) + " " + std::to_string(shift) + " " +
                      std::to_string(static_cast<int>(x)) + " " +
                      std::to_string(static_cast<int>(y)));
    }
    void mouseDown(std::int16_t, std::int16_t, float, float) override { log.push_back("down"); }
    void menuClick(std::string_view name) override { call("click " + std::string(name), onMenu); }

    Log log;
    Colour colour = 1;
    std::function<void()> onTimer, onMenu;

  private:
    void call(std::string entry, const std::function<void()>& hook) {
        log.push_back(std::move(entry));
        if (hook) {
            hook();
        }
    }
    std::vector<MenuItem> menus_;
};

// One timer, a clock that moves only when the timer fires, and what was asked.
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

    // The armed timer goes off: false when none was armed or the tick did not run.
    bool fire(TickDriver& driver) {
        if (!armed) {
            return false;
        }
        clock += std::chrono::milliseconds(*std::exchange(armed, std::nullopt));
        return driver.tick();
    }

    std::optional<int> armed;
    int frames = 0;
    std::chrono::nanoseconds clock{0};
    Log errors;
    bool boxOpen = false;
    std::function<void()> onFrame;
};

struct Driven {
    LoggingForm form;
    FakePort port;
    TickDriver driver{form, port};
};

// Catches a timer that ticks on over a table at rest, input that does not
// start it again, or a first tick sooner or later than one period on.
TEST(TickDriver, SleepsAfterATickAtRestAndInputWakesItOnePeriodLater) {
    Driven d;
    d.driver.start();
    EXPECT_EQ(d.port.armed, 16);
    d.form.onTimer = [&] { ++d.form.colour; };
    EXPECT_TRUE(d.port.fire(d.driver));
    EXPECT_FALSE(d.driver.asleep());
    d.form.onTimer = nullptr;
    EXPECT_TRUE(d.port.fire(d.driver));
    EXPECT_TRUE(d.driver.asleep());
    EXPECT_EQ(d.port.armed, std::nullopt);
    for (const auto& input : std::vector<std::function<void()>>{
             [&] { d.driver.mouseMove(0, 0, 1, 2); }, [&] { d.driver.mouseDown(1, 0, 1, 2); },
             [&] { d.driver.menuClick("mnuReset"); }}) {
        input();
        EXPECT_EQ(d.port.armed, 16);
        EXPECT_TRUE(d.port.fire(d.driver));
        EXPECT_TRUE(d.driver.asleep());
    }
    EXPECT_EQ(d.form.log, (Log{"tick", "tick", "move 0 0 1 2", "tick", "down", "tick",
                               "click mnuReset", "tick"}));
}

// Catches an exception that escapes to the platform, is reported twice or
// not at all, leaves the form busy, skips the input's wake-up or leaves the
// next tick unarmed.
TEST(TickDriver, WhatAHandlerOrATickThrowsIsReportedOnceAndTheGameGoesOn) {
    Driven d;
    d.form.onMenu = [] { throw std::runtime_error("overflow"); };
    d.driver.menuClick("mnuReset");
    EXPECT_EQ(d.port.armed, std::nullopt);  // not started yet
    d.driver.start();
    d.port.fire(d.driver);
    ASSERT_TRUE(d.driver.asleep());
    d.driver.menuClick("mnuReset");
    EXPECT_EQ(d.port.armed, 16);
    d.form.onTimer = [] { throw 42; };
    EXPECT_TRUE(d.port.fire(d.driver));
    EXPECT_EQ(d.port.armed, 16);
    EXPECT_EQ(d.port.errors, (Log{"overflow", "overflow", "unknown exception"}));
    EXPECT_FALSE(d.driver.busy());
    d.driver.mouseDown(1, 0, 0, 0);
    EXPECT_EQ(d.form.log.back(), "down");
}

// Catches a driver put to sleep after it asks for a frame: a wake-up from
// the frame's request would be lost, and the game would stand still.
TEST(TickDriver, AWakeUpFromTheFrameRequestAfterATickAtRestIsKept) {
    Driven d;
    d.driver.start();
    d.driver.paint(1);
    d.port.frames = 0;
    d.form.colour = 7;  // changed outside the tick: the frame is out of date
    d.port.onFrame = [&] { d.driver.mouseMove(0, 0, 5, 5); };
    EXPECT_TRUE(d.port.fire(d.driver));
    EXPECT_EQ(d.port.frames, 1);
    EXPECT_FALSE(d.driver.asleep());
    EXPECT_EQ(d.port.armed, 16);
}

// Catches ticks, presses and menu clicks let through a box's own event loop,
// anything but the last move handed on when it closes, and a page's box that
// lets the game tick, wake or repaint a newer frame under it.
TEST(TickDriver, WhileABoxIsOpenInputIsDroppedButTheLastMoveAndTheFrameIsHeld) {
    Driven d;
    d.driver.start();
    d.form.onMenu = [&] {  // a box is open
        d.driver.mouseMove(0, 0, 100, 200);
        EXPECT_FALSE(d.port.fire(d.driver));
        d.driver.mouseDown(1, 0, 100, 200);
        d.driver.menuClick("mnuReset");
        d.driver.mouseMove(1, 4, 300, 400);
        EXPECT_TRUE(d.driver.busy());
    };
    d.driver.menuClick("mnuprog");
    EXPECT_EQ(d.form.log, (Log{"click mnuprog", "move 1 4 300 400"}));
    EXPECT_EQ(d.port.armed, 16);  // the box's closing woke it

    d.form.log.clear();
    d.form.onMenu = nullptr;
    d.form.onTimer = [&] { d.driver.mouseMove(0, 0, 5, 6); };  // the winner's box
    EXPECT_TRUE(d.port.fire(d.driver));
    EXPECT_EQ(d.form.log, (Log{"tick", "move 0 0 5 6"}));
    EXPECT_EQ(d.port.armed, 16);  // the move may change the next tick

    const Colour under = d.driver.paint(1).primitives()[0].fill.colour;
    d.port.boxOpen = true;
    d.form.colour = 9;
    EXPECT_FALSE(d.port.fire(d.driver));
    d.driver.mouseMove(0, 0, 7, 8);
    EXPECT_EQ(d.port.armed, std::nullopt);
    EXPECT_EQ(d.driver.paint(2).primitives()[0].fill.colour, under);
    d.port.boxOpen = false;
    const int frames = d.port.frames;
    d.driver.start();
    EXPECT_EQ(d.port.frames, frames + 1);
    EXPECT_EQ(d.port.armed, 16);
}

}  // namespace
}  // namespace vorl
