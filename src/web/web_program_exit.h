// SPDX-License-Identifier: MIT
#pragma once

#include "core/runtime/program_exit.h"

namespace vorl {

// A page cannot close itself: the game stops instead. The tick ends, input is
// ignored, and the page says that the game has ended and how to play again.
class WebProgramExit final : public ProgramExit {
  public:
    void endProgram() override;
};

}  // namespace vorl
