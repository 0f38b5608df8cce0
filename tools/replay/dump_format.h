// SPDX-License-Identifier: MIT
#pragma once

#include <iosfwd>
#include <string>

#include "core/game/form1.h"

namespace vorl {

// What the replay tool prints on standard output, and so what the golden
// transcripts in tests/replay pin, byte for byte: a change here is a change
// of every transcript.

// The table as one block of lines, from `ball 0` to `end`: every ball
// (place, size, visibility, colours, velocity), every pocket, the cloth,
// the cue line, the module variables, the score and name labels and the
// help panel. Floats in their shortest text, velocities with exactly four
// decimals, colours as 0x00BBGGRR.
void writeDump(std::ostream& out, const Form1& form);

// A box the game showed: `msgbox "TEXT"`.
void writeMessageBox(std::ostream& out, const std::string& text);

// The end of the program: `exit`.
void writeExit(std::ostream& out);

}  // namespace vorl
