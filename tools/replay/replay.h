// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <iosfwd>
#include <limits>

namespace vorl {

// Runs a replay script (pointer moves, presses, ticks, menu clicks, direct
// state changes, dumps, and saving the state and loading it back) against a fresh headless window
// after its load handler. Lines it cannot understand are reported on err and skipped. Returns 0
// when every line was understood, 1 otherwise.
int runReplay(std::istream& in, std::ostream& out, std::ostream& err);

// A bound on the work a script may ask for, so that untrusted scripts (the
// fuzzer's) always finish: a tick line that would take the run past maxTicks
// is reported as an error and runs no tick at all.
struct ReplayLimits {
    std::uint64_t maxTicks = std::numeric_limits<std::uint64_t>::max();
};
int runReplay(std::istream& in, std::ostream& out, std::ostream& err, ReplayLimits limits);

}  // namespace vorl
