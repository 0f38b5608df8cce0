// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>

#include "core/runtime/form.h"
#include "core/runtime/form_state.h"

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

// A tick at rest is one that left every control, every variable and the
// random source exactly as it found them. It is a fixed point: until input
// arrives every later tick leaves the form the same again, so a front-end
// may stop its timer after one and start it again on the next input that
// reaches the form (a pointer move, a press, a menu command, a box closing),
// the first tick one period after that input. The player sees no difference,
// and a game left alone costs nothing. While the last ball's colours cycle
// the random source moves on every tick, so the game never rests then.
class RestWatch {
  public:
    // Runs the form's tick; true when it was at rest. A form that cannot
    // write out its state never rests.
    bool tick(Form& form);

  private:
    FormState before_;
    FormState after_;
};

}  // namespace vorl
