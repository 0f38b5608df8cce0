// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <string_view>

namespace vorl {

// What the tick driver needs from the platform it runs on: one timer, a
// clock, a way to ask for a frame and a place to report errors. Each
// front-end gives it these and nothing of the game.
class DriverPort {
  public:
    virtual ~DriverPort() = default;

    // Calls TickDriver::tick() once, `ms` milliseconds from now (0: as soon
    // as the platform can), replacing any call armed before.
    virtual void armTimer(int ms) = 0;
    // The armed call, if any, will not come.
    virtual void cancelTimer() = 0;
    // Asks for a repaint soon; the front-end then paints
    // TickDriver::paint(). Never paints from inside the call.
    virtual void requestFrame() = 0;
    // A monotonic clock, from any fixed start.
    virtual std::chrono::nanoseconds now() const = 0;
    // A handler or a tick threw; `what` says what it was.
    virtual void reportError(std::string_view what) = 0;
    // True while the platform holds the game without blocking the handler
    // that opened a box (the page's dialog): no tick runs and the painted
    // frame stays until TickDriver::start() is called again.
    virtual bool held() const { return false; }
};

}  // namespace vorl
