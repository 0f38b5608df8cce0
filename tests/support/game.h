// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

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

namespace detail {

// One field of the form as text; every float to the bit.
inline void writeField(std::ostream& out, const ShapeControl& s) {
    out << s.Left << ',' << s.Top << ',' << s.Width << ',' << s.Height << ',' << s.Visible << ','
        << s.FillColor << ',' << s.BorderColor << ',' << static_cast<int>(s.Shape) << ';';
}
inline void writeField(std::ostream& out, const LineControl& l) {
    out << l.X1 << ',' << l.Y1 << ',' << l.X2 << ',' << l.Y2 << ',' << l.Visible << ','
        << l.BorderColor << ';';
}
inline void writeField(std::ostream& out, const LabelControl& l) {
    out << l.Caption.size() << ':' << l.Caption << ',' << l.BackColor << ',' << l.ForeColor << ','
        << l.Visible;
}
inline void writeField(std::ostream& out, const PictureControl& p) {
    out << p.Left << ',' << p.Top << ',' << p.picture.colour << ',' << p.Visible;
}
inline void writeField(std::ostream& out, const TimerControl& t) {
    out << t.Interval << ',' << t.Enabled;
}
inline void writeField(std::ostream& out, const std::vector<MenuItem>& items) {
    for (const MenuItem& item : items) {
        out << item.Name << '=' << item.Caption << '(';
        writeField(out, item.Items);
        out << ')';
    }
}
inline void writeField(std::ostream& out, const BallVelocity& v) {
    out << v.vx.units() << ',' << v.vy.units() << ';';
}
template <typename Number>
requires std::is_arithmetic_v<Number>
void writeField(std::ostream& out, Number n) {
    out << n;
}
template <typename Field, std::size_t N>
void writeField(std::ostream& out, const std::array<Field, N>& fields) {
    for (const Field& field : fields) {
        writeField(out, field);
    }
}

}  // namespace detail

// Everything the game can change, as text, for comparing whole tables: every
// field of Form1::visitFields, one line each.
inline std::string snapshot(const Form1& f) {
    std::ostringstream out;
    out.precision(9);  // every float to the bit
    Form1::visitFields([&](std::string_view name, auto member) {
        out << name << ' ';
        detail::writeField(out, f.*member);
        out << '\n';
    });
    return out.str();
}

inline Fixed units(std::int64_t n) {
    return Fixed::fromUnits(n);
}

}  // namespace vorl::testing
