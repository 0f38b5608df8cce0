// SPDX-License-Identifier: MIT
#include "support/table_check.h"

#include <cmath>
#include <string>

#include "core/game/rules/tally.h"

namespace vorl::testing {

void RackRecord::note(const Form1& form) {
    for (int i = 0; i < Form1::kObjectBallCount; ++i) {
        pocketed[i] = pocketed[i] || !form.ball[i].Visible;
    }
}

namespace {

bool finite(const ShapeControl& s) {
    return std::isfinite(s.Left) && std::isfinite(s.Top) && std::isfinite(s.Width) &&
           std::isfinite(s.Height);
}

}  // namespace

std::string tableFault(const Form1& form, const RackRecord& rack) {
    const double tallies = readTally(form.lblP1BC.Caption) + readTally(form.lblP2BC.Caption);
    if (tallies != form.ballsSunk) {
        return "tallies '" + form.lblP1BC.Caption + "' + '" + form.lblP2BC.Caption +
               "' but ballsSunk " + std::to_string(form.ballsSunk);
    }
    int hidden = 0;
    for (int i = 0; i < Form1::kObjectBallCount; ++i) {
        hidden += form.ball[i].Visible ? 0 : 1;
        if (rack.pocketed[i] && form.ball[i].Visible) {
            return "ball " + std::to_string(i) + " came back within its rack";
        }
    }
    if (hidden != form.ballsSunk) {
        return std::to_string(hidden) + " balls hidden but ballsSunk " +
               std::to_string(form.ballsSunk);
    }
    for (int i = 0; i < Form1::kBallCount; ++i) {
        if (!finite(form.ball[i])) {
            return "ball " + std::to_string(i) + " is off the number line";
        }
    }
    const LineControl& cue = form.lineCue;
    if (!std::isfinite(cue.X1) || !std::isfinite(cue.Y1) || !std::isfinite(cue.X2) ||
        !std::isfinite(cue.Y2)) {
        return "the cue line is off the number line";
    }
    // The counters saturate at 32767; below zero they would have wrapped.
    if (form.p1Clicks < 0 || form.p2Clicks < 0 || form.ballsSunk < 0) {
        return "a counter wrapped: " + std::to_string(form.p1Clicks) + " " +
               std::to_string(form.p2Clicks) + " " + std::to_string(form.ballsSunk);
    }
    if (!form.ball[Form1::kCueBall].Visible) {
        return "the cue ball is hidden";
    }
    if (form.curPlayer != 1 && form.curPlayer != 2) {
        return "curPlayer is " + std::to_string(form.curPlayer);
    }
    return "";
}

}  // namespace vorl::testing
