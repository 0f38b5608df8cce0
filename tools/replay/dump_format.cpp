// SPDX-License-Identifier: MIT
#include "dump_format.h"

#include <cstdint>
#include <cstdio>
#include <ostream>
#include <string>
#include <string_view>

#include "core/numeric/decimal_text.h"

namespace vorl {
namespace {

std::string floatText(float f) {
    return shortestText(f);
}

// Exactly four decimals: 88.7500, -0.0490, 0.0000.
std::string fixedText(Fixed v) {
    const std::int64_t units = v.units();
    const std::uint64_t magnitude =
        units < 0 ? 0 - static_cast<std::uint64_t>(units) : static_cast<std::uint64_t>(units);
    std::string fraction = std::to_string(magnitude % 10000);
    fraction.insert(0, 4 - fraction.size(), '0');
    // Appended one piece at a time: GCC 12 at -O3 sees a false overlap in a
    // chain of string additions here (-Wrestrict).
    std::string text = units < 0 ? "-" : "";
    text += std::to_string(magnitude / 10000);
    text += '.';
    text += fraction;
    return text;
}

std::string colourText(Colour c) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08X", c);
    return buffer;
}

const char* flagText(bool b) {
    return b ? "1" : "0";
}

}  // namespace

void writeDump(std::ostream& out, const Form1& form) {
    for (int i = 0; i < Form1::kBallCount; ++i) {
        const ShapeControl& b = form.ball[i];
        const BallVelocity& v = form.ballVel[i];
        out << "ball " << i << " left=" << floatText(b.Left) << " top=" << floatText(b.Top)
            << " width=" << floatText(b.Width) << " height=" << floatText(b.Height)
            << " visible=" << flagText(b.Visible) << " fill=" << colourText(b.FillColor)
            << " border=" << colourText(b.BorderColor) << " vx=" << fixedText(v.vx)
            << " vy=" << fixedText(v.vy) << '\n';
    }
    for (int k = 0; k < Form1::kPocketCount; ++k) {
        const ShapeControl& p = form.Pcoket[k];
        out << "pocket " << k << " left=" << floatText(p.Left) << " top=" << floatText(p.Top)
            << " width=" << floatText(p.Width) << " height=" << floatText(p.Height)
            << " fill=" << colourText(p.FillColor) << '\n';
    }
    out << "table fill=" << colourText(form.shpTableLay1.FillColor)
        << " border=" << colourText(form.shpTableLay1.BorderColor) << '\n';
    const LineControl& cue = form.lineCue;
    out << "cue x1=" << floatText(cue.X1) << " y1=" << floatText(cue.Y1)
        << " x2=" << floatText(cue.X2) << " y2=" << floatText(cue.Y2)
        << " visible=" << flagText(cue.Visible) << " color=" << colourText(cue.BorderColor) << '\n';
    out << "var";
    Form1::visitModuleVariables(
        [&](std::string_view name, auto member) { out << ' ' << name << '=' << form.*member; });
    out << '\n';
    for (const LabelControl* label : {&form.lblP1BC, &form.lblP2BC, &form.lblP1CC, &form.lblP2CC,
                                      &form.lblNamePl1, &form.lblNamePl2}) {
        out << "label " << label->Name << " caption=\"" << label->Caption
            << "\" back=" << colourText(label->BackColor) << '\n';
    }
    out << "help visible=" << flagText(form.lblHelp.Visible) << '\n';
    out << "end\n";
}

void writeMessageBox(std::ostream& out, const std::string& text) {
    out << "msgbox \"" << text << "\"\n";
}

void writeExit(std::ostream& out) {
    out << "exit\n";
}

}  // namespace vorl
