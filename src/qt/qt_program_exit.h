// SPDX-License-Identifier: MIT
#pragma once

#include "core/runtime/program_exit.h"

namespace vorl {

// Leaves the application's event loop with status 0 as soon as the running
// handler returns; no queued event reaches the game after that.
class QtProgramExit final : public ProgramExit {
  public:
    void endProgram() override;
};

}  // namespace vorl
