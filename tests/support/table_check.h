// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <string>

#include "core/game/form1.h"

namespace vorl::testing {

// The object balls pocketed so far in the current rack.
struct RackRecord {
    std::array<bool, Form1::kObjectBallCount> pocketed{};

    // Forget the old rack: after the winner's box or a File > Reset.
    void newRack() { pocketed = {}; }
    // Remember the balls hidden now; call after each check.
    void note(const Form1& form);
};

// What is wrong with the table after a whole tick, or an empty string when it
// is sound: the two tallies add up to the balls sunk, each hidden ball is
// credited once and stays hidden for the rest of its rack, every position is
// finite, the counters have not wrapped, the cue ball is on the table and one
// of the two players has the turn.
std::string tableFault(const Form1& form, const RackRecord& rack);

}  // namespace vorl::testing
