// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <optional>

#include "core/runtime/form.h"
#include "core/runtime/tick_schedule.h"
#include "core/scene/scene.h"
#include "web/web_colour_hold.h"

namespace vorl {

// The form in a browser page: a canvas for its controls, an HTML menu bar,
// pointer events in twips and a tick at 64 a second, stopped after a tick at
// rest until the next input (RestWatch). The page's script
// (site/vorl-page.js) owns the elements; this side owns the schedule and
// what is drawn. One front per page.
class WebFront {
  public:
    explicit WebFront(Form& form);
    WebFront(const WebFront&) = delete;
    WebFront& operator=(const WebFront&) = delete;
    ~WebFront();

    // Opens the page's window (caption, menu bar, canvas), shows the first
    // frame and starts the tick.
    void start();

    // From the page: positions in the canvas's logical pixels.
    void mouseMove(int button, int shift, double x, double y);
    void mouseDown(int button, int shift, double x, double y);
    void menuClick(const char* name);
    // A box was closed: the game goes on at its normal pace, from now.
    void resume();
    // Paints the form as it stands, and tells the page its text readout when
    // that has changed; the page calls it on an animation frame and before it
    // opens a box.
    void paint(double devicePixelRatio);
    // How many ticks have run, for measuring the rate from the page.
    long ticks() const { return ticks_; }
    // Input that reached the form another way than through this front (the
    // keyboard's aim, web_keys.cpp): it is shown, and wakes the tick.
    void inputArrived();

  private:
    static void onTimer(void* front);
    void tick();
    void arm();
    // Input has reached the form: a tick stopped at rest starts again.
    void wake();
    // Asks the page for a frame when what would be drawn has changed.
    void refresh();

    Form& form_;
    std::optional<TextReadout> toldReadout_;
    Scene painted_;
    Scene current_;
    // Both scenes pass through it (web_colour_hold.cpp).
    WebColourHold colours_{[this] { refresh(); }};
    double devicePixelRatio_ = 1;
    bool framePending_ = false;
    RestWatch rest_;
    bool ticking_ = false;
    bool asleep_ = false;
    long ticks_ = 0;
    long timer_ = 0;
    std::chrono::nanoseconds deadline_{0};
};

}  // namespace vorl
