// SPDX-License-Identifier: MIT
// Writes a few real saved games into a folder, as the state fuzzer's seeds:
// the opening table, a shot rolling, the last-ball colours cycling and a
// table after a rack has ended.
#include <cstdio>
#include <fstream>
#include <string>

#include "core/runtime/form_state.h"
#include "support/game.h"

namespace {

void write(const std::string& path, const vorl::Form1& form) {
    vorl::FormState state;
    form.saveState(state);
    std::ofstream(path, std::ios::binary) << state.bytes();
}

void tick(vorl::Form1& form, int n) {
    for (int i = 0; i < n; ++i) {
        form.Timer1_Timer();
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    vorl::testing::Game game;
    vorl::Form1& form = game.form;
    write(folder + "/opening.state", form);
    form.Form_MouseMove(0, 0, 8000, 3247.5f);
    form.Form_MouseDown(1, 0, 8000, 3247.5f);
    tick(form, 20);
    write(folder + "/rolling.state", form);
    vorl::testing::lastBallOverPocket(form, "7", "7");
    form.ball[0].Left = 3000;
    form.ballVel[0] = {vorl::testing::units(-30000), vorl::testing::units(-20000)};
    tick(form, 5);
    write(folder + "/last_ball.state", form);
    tick(form, 400);
    write(folder + "/new_rack.state", form);
    return 0;
}
