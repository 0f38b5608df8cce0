#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <chrono>

#include "platform/form.h"

namespace vorl {

// Drives the form's tick at a steady average rate: 64 ticks a second by
// default, the rate of the system clock tick the game's speeds were made for.
//
// Each tick is one call of Form::timer(). The next one is armed only after it
// returns, so a modal box opened from inside a tick (which runs a nested event
// loop) never lets a second tick start; a guard refuses one all the same.
// QTimer counts whole milliseconds, so each wait is measured against a running
// deadline and the fractions even out. A schedule that has fallen more than a
// period behind starts again from now instead of catching up in a burst.
class TickTimer : public QObject {
    Q_OBJECT

  public:
    static constexpr std::chrono::nanoseconds kDefaultPeriod{15'625'000};

    // When the next tick is due and how long to wait for it, in whole milliseconds.
    struct Schedule {
        std::chrono::nanoseconds deadline;
        int waitMs;
    };
    // The step after a tick that was due at `deadline`, when the clock reads `now`.
    static Schedule next(std::chrono::nanoseconds deadline, std::chrono::nanoseconds now,
                         std::chrono::nanoseconds period);

    explicit TickTimer(Form& form, std::chrono::nanoseconds period = kDefaultPeriod,
                       QObject* parent = nullptr);

    // Starts (or restarts) the schedule; the first tick is one period from now.
    void start();

  signals:
    // After each tick, for the view to repaint.
    void ticked();

  private:
    void tick();
    void arm(const Schedule& schedule);

    Form& form_;
    std::chrono::nanoseconds period_;
    QTimer timer_;
    QElapsedTimer clock_;
    std::chrono::nanoseconds deadline_{0};
    bool ticking_ = false;
};

}  // namespace vorl
