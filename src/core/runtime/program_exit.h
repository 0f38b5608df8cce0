// SPDX-License-Identifier: MIT
#pragma once

namespace vorl {

// Ends the program at once: the window closes, the timer stops and no
// further handler of the game runs. Nothing is asked and nothing is saved.
class ProgramExit {
  public:
    virtual ~ProgramExit() = default;
    virtual void endProgram() = 0;
};

}  // namespace vorl
