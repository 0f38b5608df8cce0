// SPDX-License-Identifier: MIT
#include "core/driver/tick_schedule.h"

#include <algorithm>

namespace vorl {

TickSchedule nextTick(std::chrono::nanoseconds deadline, std::chrono::nanoseconds now,
                      std::chrono::nanoseconds period) {
    deadline += period;
    if (now - deadline > period) {
        deadline = now + period;
    }
    // Never early: round the wait up to the next whole millisecond.
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(deadline - now);
    return {deadline, static_cast<int>(std::max<std::chrono::milliseconds::rep>(wait.count(), 0))};
}

bool RestWatch::tick(Form& form) {
    const bool known = form.saveState(before_);
    form.timer();
    return known && form.saveState(after_) && after_ == before_;
}

}  // namespace vorl
