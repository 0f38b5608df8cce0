// SPDX-License-Identifier: MIT
#include <array>

#include "core/game/form1.h"
#include "core/game/rules/pocket_overlap.h"
#include "core/game/rules/tally.h"
#include "core/numeric/saturating_counter.h"

namespace vorl {
namespace {

// Pocketed balls are hidden and parked together far off the table, where no
// pocket can reach them.
constexpr float kParkedPosition = -1000000000.0f;

}  // namespace

// Drops the object balls that lie over a pocket, pocket by pocket: each is
// hidden and parked, keeping its velocity, and credited to whoever has the
// turn now (a scratch earlier in the tick has already passed it).
void Form1::CheckBallsSunk() {
    // Nothing here moves a pocket, and a ball only by parking it, so each
    // ball's edges are worked out once and again only for a parked ball. Only
    // a pair whose edges leave room for an overlap is rounded and tested.
    std::array<ShapeEdges, kObjectBallCount> ballEdges;
    for (int j = 0; j < kObjectBallCount; ++j) {
        ballEdges[j] = shapeEdges(ball[j]);
    }
    for (int k = 0; k < kPocketCount; ++k) {
        const ShapeEdges pocketEdges = shapeEdges(Pcoket[k]);
        for (int j = 0; j < kObjectBallCount; ++j) {
            if (!mayOverlap(ballEdges[j], pocketEdges) ||
                !overlap(shapeRect(ball[j]), shapeRect(Pcoket[k]))) {
                continue;
            }
            ball[j].Left = kParkedPosition;
            ball[j].Top = kParkedPosition;
            ball[j].Visible = false;
            ballEdges[j] = shapeEdges(ball[j]);
            if (curPlayer == 1) {
                lblP1BC.Caption = tallyText(readTally(lblP1BC.Caption) + 1);
            } else if (curPlayer == 2) {
                lblP2BC.Caption = tallyText(readTally(lblP2BC.Caption) + 1);
            }
            ballsSunk = increment16(ballsSunk);
        }
    }
}

}  // namespace vorl
