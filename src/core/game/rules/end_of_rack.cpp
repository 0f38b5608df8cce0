// SPDX-License-Identifier: MIT
#include <string>

#include "core/game/form1.h"
#include "core/game/rules/tally.h"

namespace vorl {

// A rack is over once every object ball is hidden. The player with more
// pocketed balls is named (player 1 on a tie; strokes do not count), and the
// new rack is set up when the box has been closed, inside this tick.
void Form1::CheckWinner() {
    for (int i = 0; i < kObjectBallCount; ++i) {
        if (ball[i].Visible) {
            return;
        }
    }
    const double p2 = readTally(lblP2BC.Caption);
    const double p1 = readTally(lblP1BC.Caption);
    messageBox_.show(p2 > p1 ? " Player 2 Wins, NOW bugger Off" : " Player 1 Wins, NOW bugger Off");
    NewGame();
}

}  // namespace vorl
