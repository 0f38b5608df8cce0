// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/driver/driver_port.h"
#include "core/driver/frame_watch.h"
#include "core/driver/tick_schedule.h"
#include "core/runtime/form_decorator.h"

namespace vorl {

// Runs a form on a platform's timer: the form the front-end shows and feeds
// its input to, and the one timer that ticks it.
//
// Ticks follow nextTick, and stop after a tick at rest (RestWatch) until
// input wakes them, the first tick one period after the input.
//
// Handlers never run inside one another. A modal box shown from a handler
// runs an event loop of its own; a tick, press or menu click that arrives
// through it is dropped, so the game pauses while any of its boxes is open.
// The last pointer move that came meanwhile is handed on as soon as the busy
// handler returns, so that the cue line points where the pointer now is.
//
// Whatever a handler or a tick throws is reported through the port, once,
// and goes no further: the game goes on from where it was left, the form
// free and the next tick armed or the input's wake-up done.
//
// After every handler and tick the form's scene is compared with the one
// last painted, and a frame asked for when they differ.
class TickDriver final : public FormDecorator {
  public:
    TickDriver(Form& form, DriverPort& port, std::chrono::nanoseconds period = kTickPeriod);

    // Starts the schedule again from now, the first tick one period on, and
    // asks for a frame if the last one is out of date (as after a box of the
    // page's is closed).
    void start();
    // The port's timer call. Returns whether the form's tick ran: none runs
    // while a box is open, and the driver sleeps until the box is closed.
    bool tick();
    // The scene a front-end paints now (see FrameWatch; held by the port's box).
    const Scene& paint(double devicePixelRatio) {
        return frames_.paint(devicePixelRatio, port_.held());
    }
    FrameWatch& frames() { return frames_; }
    // Holds the table's colours for players who ask for less flashing (see
    // ColourHold), or lets them go again; on the port's clock.
    void holdColours(bool on);

    // Stopped after a tick at rest or under a box: no timer armed until
    // input or start().
    bool asleep() const { return asleep_; }
    // A handler is running (or waiting on a box it opened).
    bool busy() const { return busy_; }

    // The form's handlers behind the guard; timer() is a tick off the schedule.
    void load() override;
    void timer() override;
    void mouseMove(std::int16_t button, std::int16_t shift, float x, float y) override;
    void mouseDown(std::int16_t button, std::int16_t shift, float x, float y) override;
    void menuClick(std::string_view name) override;

  private:
    struct Move {
        std::int16_t button, shift;
        float x, y;
    };
    struct Ran {
        bool threw = false;
        bool handedOn = false;  // a move waiting behind the handler was handed on
    };

    // Marks the form busy for as long as it lives, however the handler ends.
    class BusyScope {
      public:
        explicit BusyScope(bool& busy);
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;
        ~BusyScope() { busy_ = false; }

      private:
        bool& busy_;
    };

    // Wakes the driver when it goes, whether the handler returned or threw.
    class WakeOnExit {
      public:
        explicit WakeOnExit(TickDriver& driver) : driver_(driver) {}
        WakeOnExit(const WakeOnExit&) = delete;
        WakeOnExit& operator=(const WakeOnExit&) = delete;
        ~WakeOnExit() { driver_.wake(); }

      private:
        TickDriver& driver_;
    };

    // Runs the handler as busy, reporting what it throws, then any waiting move.
    template <typename Handler>
    Ran run(Handler handler) {
        Ran ran;
        try {
            const BusyScope scope(busy_);
            handler();
        } catch (...) {
            reportCurrentException();
            ran.threw = true;
        }
        ran.handedOn = handOnWaitingMove();
        return ran;
    }

    // Input: dropped while another handler runs; wakes the driver after.
    template <typename Handler>
    void handle(Handler handler) {
        if (busy_) {
            return;
        }
        {
            const WakeOnExit wake(*this);
            run(handler);
        }
        refresh();
    }

    bool handOnWaitingMove();
    void reportCurrentException();
    void wake();
    void arm();
    void refresh();
    bool paused() const { return busy_ || port_.held(); }

    DriverPort& port_;
    std::chrono::nanoseconds period_;
    std::chrono::nanoseconds deadline_{0};
    RestWatch rest_;
    FrameWatch frames_;
    std::optional<Move> waitingMove_;
    bool busy_ = false;
    bool asleep_ = false;
};

}  // namespace vorl
