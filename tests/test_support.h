// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "game/form1.h"
#include "platform/message_box.h"
#include "platform/program_exit.h"
#include "platform/random_source.h"

namespace vorl::testing {

// Records the texts of the boxes the game shows; each counts as closed at once.
class RecordingMessageBox final : public MessageBox {
  public:
    void show(const std::string& text) override { shown.push_back(text); }
    std::vector<std::string> shown;
};

// Counts the requests to end the program.
class RecordingProgramExit final : public ProgramExit {
  public:
    void endProgram() override { ++requests; }
    int requests = 0;
};

// A window with its services, loaded as at start-up. The box and the random
// source can be swapped for the real Qt box or a scripted source.
template <typename Box, typename Random>
struct GameWith {
    Box messages;
    Random random;
    RecordingProgramExit programExit;
    Form1 form{messages, random, programExit};

    GameWith() { form.Form_Load(); }
};

struct Game : GameWith<RecordingMessageBox, SeededRandom> {
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

// Hands out the given values in turn, then repeats the last; counts the draws.
class ScriptedRandom final : public RandomSource {
  public:
    float next() override {
        const float r = values.empty() ? 0.0f : values[std::min(draws, values.size() - 1)];
        ++draws;
        return r;
    }
    std::vector<float> values;
    std::size_t draws = 0;
};

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
