// SPDX-License-Identifier: MIT
#include "qt/tick_timer.h"

#include <cstdio>

#include "qt/form_view.h"

namespace vorl {

TickTimer::TickTimer(Form& form, std::chrono::nanoseconds period, QObject* parent)
    : QObject(parent), driver_(form, *this, period) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    clock_.start();
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (driver_.tick()) {
            emit ticked();
        }
    });
}

void TickTimer::drawIn(FormView& view) {
    view.paintFrom(driver_.frames());
    connect(this, &TickTimer::frameWanted, &view, qOverload<>(&QWidget::update));
}

void TickTimer::armTimer(int ms) {
    timer_.start(ms);
}

void TickTimer::cancelTimer() {
    timer_.stop();
}

void TickTimer::requestFrame() {
    emit frameWanted();
}

std::chrono::nanoseconds TickTimer::now() const {
    return std::chrono::nanoseconds{clock_.nsecsElapsed()};
}

void TickTimer::reportError(std::string_view what) {
    std::fprintf(stderr, "vorl: error: %.*s\n", static_cast<int>(what.size()), what.data());
}

}  // namespace vorl
