// SPDX-License-Identifier: MIT
#include "game/form1.h"

namespace vorl {
namespace {

constexpr Colour kGreen = 0x008000;
constexpr Colour kCyan = 0xFFFF00;
constexpr Colour kBlue = 0xFF0000;
constexpr Colour kBrown = 0x0040C0;
constexpr Colour kRed = 0x0000FF;

}  // namespace

void Form1::mnuReset_Click() {
    NewGame();
}

// Ends the game at once, mid-shot or not; nothing is asked or kept.
void Form1::mnuExit_Click() {
    programExit_.endProgram();
}

// Board Color sets the cloth, Border Color the rail: the fill and the border
// of the same shape. A choice lasts until the next one, the last-ball colours
// or a new game.
void Form1::mnuGreen_Click() {
    shpTableLay1.FillColor = kGreen;
}
void Form1::mnuCyan_Click() {
    shpTableLay1.FillColor = kCyan;
}
void Form1::mnuCB_Click() {
    shpTableLay1.FillColor = kBlue;
}
void Form1::mnuBB_Click() {
    shpTableLay1.BorderColor = kBrown;
}
void Form1::mnuBCY_Click() {
    shpTableLay1.BorderColor = kCyan;
}
void Form1::mnuBR_Click() {
    shpTableLay1.BorderColor = kRed;
}

// Shows the help panel, or hides it when shown; a new game leaves it alone.
void Form1::mnuhtp_Click() {
    const std::int16_t shown = helpShown;
    if (shown == 0) {
        lblHelp.Visible = true;
        helpShown = 1;
    } else if (shown == 1) {
        lblHelp.Visible = false;
        helpShown = 0;
    }
}

void Form1::mnuprog_Click() {
    messageBox_.show(" By : Darvo 'Quenly' Morvane");
}

}  // namespace vorl
