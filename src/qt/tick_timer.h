// SPDX-License-Identifier: MIT
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <chrono>

#include "core/runtime/form.h"
#include "core/runtime/tick_schedule.h"

namespace vorl {

// Drives the form's tick at a steady average rate (nextTick), 64 ticks a
// second by default, and stops after a tick at rest until wake() (RestWatch).
//
// Each tick is one call of Form::timer(). The next one is armed only after it
// returns, so a modal box opened from inside a tick (which runs a nested event
// loop) never lets a second tick start; a guard refuses one all the same. A
// tick that throws leaves the timer free and armed, and the exception goes on.
class TickTimer : public QObject {
    Q_OBJECT

  public:
    explicit TickTimer(Form& form, std::chrono::nanoseconds period = kTickPeriod,
                       QObject* parent = nullptr);

    // Starts (or restarts) the schedule; the first tick is one period from now.
    void start();
    // Input has reached the form: a timer stopped at rest starts again, its
    // first tick one period from now. A running one goes on as it was.
    void wake();
    bool asleep() const { return asleep_; }

  signals:
    // After each tick, for the view to repaint.
    void ticked();

  private:
    void tick();
    void arm(const TickSchedule& schedule);
    void armNext();

    Form& form_;
    std::chrono::nanoseconds period_;
    QTimer timer_;
    QElapsedTimer clock_;
    std::chrono::nanoseconds deadline_{0};
    RestWatch rest_;
    bool ticking_ = false;
    bool asleep_ = false;
};

}  // namespace vorl
