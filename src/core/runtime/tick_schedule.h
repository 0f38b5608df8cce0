// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>

namespace vorl {

// 64 ticks a second, the rate of the system clock tick the game's speeds were
// made for.
inline constexpr std::chrono::nanoseconds kTickPeriod{15'625'000};

// When the next tick is due and how long to wait for it. Timers count whole
// milliseconds, so each wait is measured against a running deadline and the
// fractions even out; a schedule that has fallen more than a period behind
// (a busy machine, a hidden browser tab) starts again from now instead of
// catching up in a burst.
struct TickSchedule {
    std::chrono::nanoseconds deadline;
    int waitMs;
};

// The step after a tick that was due at `deadline`, when the clock reads `now`.
TickSchedule nextTick(std::chrono::nanoseconds deadline, std::chrono::nanoseconds now,
                      std::chrono::nanoseconds period = kTickPeriod);

}  // namespace vorl
