// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "platform/message_box.h"
#include "platform/program_exit.h"

namespace vorl::bench {

// A box that closes at once and an exit that never happens, so that a
// benchmark runs the game without a window.
class SilentBox final : public MessageBox {
  public:
    void show(const std::string&) override {}
};

class NoExit final : public ProgramExit {
  public:
    void endProgram() override {}
};

}  // namespace vorl::bench
