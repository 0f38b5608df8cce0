// SPDX-License-Identifier: MIT
#include "game/form1.h"
#include "platform/random_source.h"
#include "platform/reentry_guard_form.h"
#include "platform/web/web_front.h"
#include "platform/web/web_message_box.h"
#include "platform/web/web_program_exit.h"

// Puts the game in the page and lets the page's timer drive it. Everything
// lives as long as the page: main returns, the runtime stays.
int main() {
    // The game never seeds its random source; every run starts from the same state.
    static vorl::SeededRandom random;
    static vorl::WebMessageBox messageBox;
    static vorl::WebProgramExit programExit;
    static vorl::Form1 game(messageBox, random, programExit);
    static vorl::ReentryGuardForm form(game);
    messageBox.attach(form);
    form.load();

    static vorl::WebFront front(form);
    front.start();
    return 0;
}
