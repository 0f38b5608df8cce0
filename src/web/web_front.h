// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <optional>
#include <string_view>

#include "core/driver/driver_port.h"
#include "core/driver/tick_driver.h"
#include "core/runtime/form.h"
#include "core/runtime/form_state.h"

namespace vorl {

// The form in a browser page: a canvas for its controls, an HTML menu bar,
// pointer events in twips and the tick driver on the page's timeouts and
// animation frames. The page's script (site/vorl-page.js) owns the elements
// and holds the game while one of its boxes is open; this side owns what is
// drawn. Errors go to the browser's console and never out of a callback.
// One front per page.
class WebFront final : private DriverPort {
  public:
    explicit WebFront(Form& form);
    WebFront(const WebFront&) = delete;
    WebFront& operator=(const WebFront&) = delete;
    ~WebFront() override;

    // The form as the page's input should reach it.
    Form& form() { return driver_; }

    // Puts back the game that this tab kept (see keep()), if any, before the
    // first tick and frame. A kept game the form refuses leaves it as it was,
    // a fresh rack, and the reason goes to the console as a warning.
    void restoreKept();
    // Hands the page the whole game as it stands (every control, variable
    // and the random source) to keep for a reload of this tab. Called when
    // the game comes to rest and when the page is hidden or left.
    void keep();

    // Opens the page's window (caption, menu bar, canvas), shows the first
    // frame and starts the tick.
    void start();

    // From the page: positions in the canvas's logical pixels.
    void mouseMove(int button, int shift, double x, double y);
    void mouseDown(int button, int shift, double x, double y);
    void menuClick(const char* name);
    // A box was closed: the game goes on at its normal pace, from now.
    void resume() { driver_.start(); }
    // Paints the form as it stands, and tells the page its text readout when
    // that has changed; the page calls it on an animation frame, before it
    // opens a box and when the canvas changes size. While a box is open it
    // paints again the frame under the box, and tells nothing.
    void paint(double devicePixelRatio);
    // Holds the table's colours, or lets them go, for players who ask for
    // less flashing.
    void reduceFlashing(bool on) { driver_.holdColours(on); }
    // How many ticks have run, for measuring the rate from the page.
    long ticks() const { return ticks_; }

  private:
    static void onTimer(void* front);
    void armTimer(int ms) override;
    void cancelTimer() override;
    void requestFrame() override;
    std::chrono::nanoseconds now() const override;
    void reportError(std::string_view what) override;
    bool held() const override;

    TickDriver driver_;
    FormState kept_;
    std::optional<TextReadout> toldReadout_;
    std::optional<long> timer_;
    long ticks_ = 0;
};

}  // namespace vorl
