// SPDX-License-Identifier: MIT
#include "qt/tick_timer.h"

namespace vorl {

TickTimer::TickTimer(Form& form, std::chrono::nanoseconds period, QObject* parent)
    : QObject(parent), form_(form), period_(period) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &TickTimer::tick);
}

void TickTimer::start() {
    clock_.start();
    asleep_ = false;
    arm(nextTick(std::chrono::nanoseconds{0}, std::chrono::nanoseconds{0}, period_));
}

void TickTimer::wake() {
    if (!asleep_) {
        return;
    }
    asleep_ = false;
    const std::chrono::nanoseconds now{clock_.nsecsElapsed()};
    arm(nextTick(now, now, period_));
}

void TickTimer::tick() {
    if (ticking_) {
        return;
    }
    ticking_ = true;
    bool atRest = false;
    try {
        atRest = rest_.tick(form_);
    } catch (...) {
        ticking_ = false;
        armNext();
        throw;
    }
    ticking_ = false;
    emit ticked();
    if (atRest) {
        asleep_ = true;
    } else {
        armNext();
    }
}

void TickTimer::armNext() {
    arm(nextTick(deadline_, std::chrono::nanoseconds{clock_.nsecsElapsed()}, period_));
}

void TickTimer::arm(const TickSchedule& schedule) {
    deadline_ = schedule.deadline;
    timer_.start(schedule.waitMs);
}

}  // namespace vorl
