// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <sstream>
#include <string>

#include "core/game/form1.h"
#include "core/numeric/fixed_point.h"
#include "support/doubles.h"

namespace vorl::testing {

// A window with its services, loaded as at start-up. Any of them can be
// swapped: a front-end's real box, a scripted source, an exit that never comes.
template <typename Box = RecordingMessageBox, typename Random = SeededRandom,
          typename Exit = RecordingProgramExit>
struct GameWith {
    Box messages;
    Random random;
    Exit programExit;
    Form1 form{messages, random, programExit};

    GameWith() { form.Form_Load(); }
};

struct Game : GameWith<> {
    Game() { random.seed(12345); }
};

// The end of a rack one tick away: only ball 0 is left, lying still over the
// top-left pocket, with the given tallies and player 2 to move.
inline void lastBallOverPocket(Form1& f, const char* p1Tally, const char* p2Tally) {
    for (int i = 1; i < Form1::kObjectBallCount; ++i) {
        f.ball[i].Visible = false;
    }
    f.ballsSunk = 14;
    f.lblP1BC.Caption = p1Tally;
    f.lblP2BC.Caption = p2Tally;
    f.curPlayer = 2;
    f.ball[0].Left = 700;
    f.ball[0].Top = 700;
}

// Everything the game can change, as text, for comparing whole tables.
inline std::string snapshot(const Form1& f) {
    std::ostringstream out;
    out.precision(9);  // every float to the bit
    const auto shape = [&](const ShapeControl& s) {
        out << s.Left << ',' << s.Top << ',' << s.Visible << ',' << s.FillColor << ','
            << s.BorderColor << ';';
    };
    for (int i = 0; i < Form1::kBallCount; ++i) {
        shape(f.ball[i]);
        out << f.ballVel[i].vx.units() << ',' << f.ballVel[i].vy.units() << '\n';
    }
    for (const ShapeControl& p : f.Pcoket) {
        shape(p);
    }
    shape(f.shpTableLay1);
    shape(f.shpBorder);
    out << '\n'
        << f.lineCue.X1 << ',' << f.lineCue.Y1 << ',' << f.lineCue.X2 << ',' << f.lineCue.Y2 << ','
        << f.lineCue.Visible << ',' << f.lineCue.BorderColor << '\n';
    for (const LabelControl* l : {&f.lblP1BC, &f.lblP2BC, &f.lblP1CC, &f.lblP2CC, &f.lblNamePl1,
                                  &f.lblNamePl2, &f.lblHelp}) {
        out << l->Caption.size() << ':' << l->Caption << ',' << l->BackColor << ',' << l->Visible
            << '\n';
    }
    out << f.p1Clicks << ',' << f.p2Clicks << ',' << f.curPlayer << ',' << f.shotActive << ','
        << f.ballsSunk << ',' << f.helpShown << '\n';
    return out.str();
}

inline Fixed units(std::int64_t n) {
    return Fixed::fromUnits(n);
}

}  // namespace vorl::testing
