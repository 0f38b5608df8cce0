#include "platform/qt/tick_timer.h"

#include <algorithm>

namespace vorl {

TickTimer::Schedule TickTimer::next(std::chrono::nanoseconds deadline, std::chrono::nanoseconds now,
                                    std::chrono::nanoseconds period) {
    deadline += period;
    if (now - deadline > period) {
        deadline = now + period;
    }
    // Never early: round the wait up to the next whole millisecond.
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(deadline - now);
    return {deadline, static_cast<int>(std::max<std::chrono::milliseconds::rep>(wait.count(), 0))};
}

TickTimer::TickTimer(Form& form, std::chrono::nanoseconds period, QObject* parent)
    : QObject(parent), form_(form), period_(period) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &TickTimer::tick);
}

void TickTimer::start() {
    clock_.start();
    arm(next(std::chrono::nanoseconds{0}, std::chrono::nanoseconds{0}, period_));
}

void TickTimer::tick() {
    if (ticking_) {
        return;
    }
    ticking_ = true;
    form_.timer();
    ticking_ = false;
    emit ticked();
    arm(next(deadline_, std::chrono::nanoseconds{clock_.nsecsElapsed()}, period_));
}

void TickTimer::arm(const Schedule& schedule) {
    deadline_ = schedule.deadline;
    timer_.start(schedule.waitMs);
}

}  // namespace vorl
