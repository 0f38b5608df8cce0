// SPDX-License-Identifier: MIT
#include "core/game/form1.h"

namespace vorl {

// The score panel as the labels show it: the column headings, then each
// player's name, balls sunk and strokes. The current caption is the name of
// the player to move, whose label the tick paints red.
TextReadout Form1::textReadout() const {
    TextReadout readout;
    readout.rows = {
        {"", Label18.Caption, Label19.Caption},
        {lblNamePl1.Caption, lblP1BC.Caption, lblP1CC.Caption},
        {lblNamePl2.Caption, lblP2BC.Caption, lblP2CC.Caption},
    };
    if (curPlayer == 1) {
        readout.current = lblNamePl1.Caption;
    } else if (curPlayer == 2) {
        readout.current = lblNamePl2.Caption;
    }
    return readout;
}

}  // namespace vorl
