#pragma once

#include <iosfwd>

namespace vorl {

// Runs a replay script (pointer moves, presses, ticks, menu clicks, direct
// state changes and dumps) against a fresh headless window after its load
// handler. Lines it cannot understand are reported on err and skipped.
// Returns 0 when every line was understood, 1 otherwise.
int runReplay(std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace vorl
