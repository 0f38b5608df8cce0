// SPDX-License-Identifier: MIT
#include "web/web_program_exit.h"

#include <emscripten.h>

EM_JS(void, vorl_js_end_game, (), { Module.vorlPage.endGame(); });

namespace vorl {

void WebProgramExit::endProgram() {
    vorl_js_end_game();
}

}  // namespace vorl
