// SPDX-License-Identifier: MIT
#include "core/driver/tick_driver.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <exception>
#include <utility>

namespace vorl {
namespace {

double seconds(std::chrono::nanoseconds t) {
    return std::chrono::duration<double>(t).count();
}

}  // namespace

TickDriver::BusyScope::BusyScope(bool& busy) : busy_(busy) {
    assert(!busy_ && "a handler would run inside another");
    busy_ = true;
}

TickDriver::TickDriver(Form& form, DriverPort& port, std::chrono::nanoseconds period)
    : FormDecorator(form), port_(port), period_(period), frames_(form) {}

void TickDriver::start() {
    port_.cancelTimer();
    asleep_ = false;
    deadline_ = port_.now();
    arm();
    frames_.forgetRequest();
    refresh();
}

// Asleep or armed is settled before the frame is asked for, so that a wake-up
// from there finds the driver asleep and arms it.
bool TickDriver::tick() {
    if (paused()) {
        // The handler waiting on the box wakes it on return; the page calls start().
        asleep_ = true;
        return false;
    }
    bool atRest = false;
    const Ran ran = run([&] { atRest = rest_.tick(form_); });
    if ((atRest && !ran.handedOn) || paused()) {
        asleep_ = true;
    } else {
        asleep_ = false;
        arm();
    }
    refresh();
    return true;
}

void TickDriver::wake() {
    if (!asleep_ || paused()) {
        return;
    }
    asleep_ = false;
    deadline_ = port_.now();
    arm();
}

void TickDriver::arm() {
    const TickSchedule next = nextTick(deadline_, port_.now(), period_);
    deadline_ = next.deadline;
    port_.armTimer(next.waitMs);
}

void TickDriver::refresh() {
    if (port_.held()) {
        return;
    }
    if (frames_.outOfDate()) {
        port_.requestFrame();
    }
    // Colours held back while no tick is coming are looked at again when
    // they fall due: that tick is at rest, so it changes nothing but the frame.
    if (const std::optional<double> due = frames_.coloursDueAt(); due && asleep_) {
        const double ms = std::ceil((*due - seconds(port_.now())) * 1000.0);
        port_.armTimer(static_cast<int>(std::max(ms, 0.0)));
    }
}

void TickDriver::holdColours(bool on) {
    if (on) {
        frames_.holdColours([this] { return seconds(port_.now()); });
    } else {
        frames_.holdColours(nullptr);
    }
    refresh();
}

void TickDriver::load() {
    if (!busy_) {
        run([&] { form_.load(); });
    }
}

void TickDriver::timer() {
    if (!busy_) {
        run([&] { form_.timer(); });
    }
}

void TickDriver::mouseMove(std::int16_t button, std::int16_t shift, float x, float y) {
    // Only the latest position matters: a newer move replaces a waiting one.
    waitingMove_ = Move{button, shift, x, y};
    handle([] {});
}

void TickDriver::mouseDown(std::int16_t button, std::int16_t shift, float x, float y) {
    handle([&] { form_.mouseDown(button, shift, x, y); });
}

void TickDriver::menuClick(std::string_view name) {
    handle([&] { form_.menuClick(name); });
}

bool TickDriver::handOnWaitingMove() {
    bool handedOn = false;
    while (waitingMove_ && !busy_) {
        const Move move = *std::exchange(waitingMove_, std::nullopt);
        handedOn = true;
        try {
            const BusyScope scope(busy_);
            form_.mouseMove(move.button, move.shift, move.x, move.y);
        } catch (...) {
            reportCurrentException();
        }
    }
    return handedOn;
}

void TickDriver::reportCurrentException() {
    try {
        throw;
    } catch (const std::exception& e) {
        port_.reportError(e.what());
    } catch (...) {
        port_.reportError("unknown exception");
    }
}

}  // namespace vorl
