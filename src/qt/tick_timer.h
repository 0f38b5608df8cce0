// SPDX-License-Identifier: MIT
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <string_view>

#include "core/driver/driver_port.h"
#include "core/driver/tick_driver.h"
#include "core/runtime/form.h"

namespace vorl {

class FormView;

// The tick driver on Qt: a single-shot precise QTimer and a QElapsedTimer.
// Errors go to stderr; none reaches Qt's event loop. A modal box runs an
// event loop inside the handler that opened it, so the driver's guard is
// all that holds the game while it is open.
class TickTimer : public QObject, private DriverPort {
    Q_OBJECT

  public:
    explicit TickTimer(Form& form, std::chrono::nanoseconds period = kTickPeriod,
                       QObject* parent = nullptr);

    // The form as the window should see it: its input wakes the timer.
    Form& form() { return driver_; }
    // The view paints the driver's frames, and repaints when it asks.
    void drawIn(FormView& view);
    // Starts (or restarts) the schedule; the first tick is one period from now.
    void start() { driver_.start(); }
    bool asleep() const { return driver_.asleep(); }
    // The table's colours change at most three times a second from now on.
    void reduceFlashing() { driver_.holdColours(true); }

  signals:
    // After each tick that ran, once the next one is armed or the timer asleep.
    void ticked();
    // The view should repaint from frames().
    void frameWanted();

  private:
    void armTimer(int ms) override;
    void cancelTimer() override;
    void requestFrame() override;
    std::chrono::nanoseconds now() const override;
    void reportError(std::string_view what) override;

    QTimer timer_;
    QElapsedTimer clock_;
    TickDriver driver_;
};

}  // namespace vorl
