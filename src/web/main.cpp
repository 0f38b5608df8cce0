// SPDX-License-Identifier: MIT
#include "core/game/form1.h"
#include "core/runtime/random_source.h"
#include "web/web_front.h"
#include "web/web_keys.h"
#include "web/web_message_box.h"
#include "web/web_program_exit.h"

// Puts the game in the page and lets the page's timer drive it. Everything
// lives as long as the page: main returns, the runtime stays.
int main() {
    // The game never seeds its random source; every run starts from the same state.
    static vorl::SeededRandom random;
    static vorl::WebMessageBox messageBox;
    static vorl::WebProgramExit programExit;
    static vorl::Form1 game(messageBox, random, programExit);
    messageBox.attach(game);
    static vorl::WebFront front(game);
    front.form().load();
    front.restoreKept();  // a reload of this tab goes on with the game it kept
    static vorl::WebKeys keys(front.form(), game);
    front.start();
    return 0;
}
