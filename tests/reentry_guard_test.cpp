// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/runtime/reentry_guard_form.h"

namespace vorl {
namespace {

// Logs each handler call; a test may hook the tick and the menu click, as a
// box opened from them would, to send events through the guard meanwhile.
class LoggingForm final : public Form {
  public:
    std::string caption() const override { return "Logging"; }
    std::string applicationTitle() const override { return "Log"; }
    float clientWidth() const override { return 0; }
    float clientHeight() const override { return 0; }
    Colour backColour() const override { return 0; }
    std::vector<ControlRef> controlsBackToFront() const override { return {}; }
    const std::vector<MenuItem>& menuBar() const override { return menus_; }
    TextReadout textReadout() const override { return {}; }
    void load() override { log.push_back("load"); }
    void timer() override {
        log.push_back("tick");
        if (onTimer) {
            onTimer();
        }
    }
    void mouseMove(std::int16_t button, std::int16_t shift, float x, float y) override {
        log.push_back("move " + std::to_string(button) + " " + std::to_string(shift) + " " +
                      std::to_string(static_cast<int>(x)) + " " +
                      std::to_string(static_cast<int>(y)));
    }
    void mouseDown(std::int16_t, std::int16_t, float, float) override { log.push_back("down"); }
    void menuClick(std::string_view name) override {
        log.push_back("click " + std::string(name));
        if (onMenuClick) {
            onMenuClick();
        }
    }

    std::vector<std::string> log;
    std::function<void()> onTimer, onMenuClick;

  private:
    std::vector<MenuItem> menus_;
};

using Log = std::vector<std::string>;

// Catches a guard left set by a handler that threw: the game would never
// tick, aim or strike again.
TEST(ReentryGuardForm, AHandlerThatThrowsLeavesTheFormFreeForTheNextEvent) {
    LoggingForm inner;
    ReentryGuardForm form(inner);
    inner.onTimer = [] { throw std::runtime_error("overflow"); };
    EXPECT_THROW(form.timer(), std::runtime_error);
    EXPECT_FALSE(form.busy());
    inner.onTimer = nullptr;
    form.timer();
    form.mouseMove(0, 0, 10, 20);
    form.mouseDown(1, 0, 10, 20);
    EXPECT_EQ(inner.log, (Log{"tick", "tick", "move 0 0 10 20", "down"}));
}

// Catches a cue line left where the pointer was before a box opened, and
// anything but the last move let through: ticks, presses and menu clicks
// that come while a box is open stay dropped, and without a move nothing is
// handed on, so a press right after the box still strikes along the old line.
TEST(ReentryGuardForm, TheLastMoveDroppedUnderABusyHandlerArrivesWhenItReturns) {
    LoggingForm inner;
    ReentryGuardForm form(inner);
    inner.onMenuClick = [&] {  // a box is open
        form.mouseMove(0, 0, 100, 200);
        form.timer();
        form.mouseDown(1, 0, 100, 200);
        form.menuClick("mnuReset");
        form.mouseMove(1, 4, 300, 400);
        EXPECT_TRUE(form.busy());
    };
    form.menuClick("mnuprog");
    EXPECT_EQ(inner.log, (Log{"click mnuprog", "move 1 4 300 400"}));

    inner.log.clear();
    inner.onMenuClick = nullptr;
    form.menuClick("mnuprog");  // the pointer stays put this time
    form.mouseDown(1, 0, 0, 0);
    EXPECT_EQ(inner.log, (Log{"click mnuprog", "down"}));

    // The same for a tick that shows the winner's box.
    inner.log.clear();
    inner.onTimer = [&] { form.mouseMove(0, 0, 5, 6); };
    form.timer();
    EXPECT_EQ(inner.log, (Log{"tick", "move 0 0 5 6"}));
}

}  // namespace
}  // namespace vorl
