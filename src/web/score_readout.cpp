// SPDX-License-Identifier: MIT
#include "web/score_readout.h"

#include <emscripten.h>

// clang-format off
EM_JS(void, vorl_js_describe, (const char* column1, const char* column2, const char* name1,
                               const char* sunk1, const char* strokes1, const char* name2,
                               const char* sunk2, const char* strokes2, const char* turn), {
    const text = (p) => UTF8ToString(p);
    Module.vorlPage.describe([text(column1), text(column2)],
                             [[text(name1), text(sunk1), text(strokes1)],
                              [text(name2), text(sunk2), text(strokes2)]],
                             text(turn));
});
// clang-format on

namespace vorl {

void ScoreReadout::update() {
    const Form1& g = game_;
    // The player to move is the one whose name label the game paints red.
    const std::string turn = g.curPlayer == 1   ? g.lblNamePl1.Caption
                             : g.curPlayer == 2 ? g.lblNamePl2.Caption
                                                : std::string();
    const std::array<std::string, 9> now = {
        g.Label18.Caption, g.Label19.Caption, g.lblNamePl1.Caption,
        g.lblP1BC.Caption, g.lblP1CC.Caption, g.lblNamePl2.Caption,
        g.lblP2BC.Caption, g.lblP2CC.Caption, turn,
    };
    if (toldOnce_ && now == told_) {
        return;
    }
    told_ = now;
    toldOnce_ = true;
    vorl_js_describe(now[0].c_str(), now[1].c_str(), now[2].c_str(), now[3].c_str(), now[4].c_str(),
                     now[5].c_str(), now[6].c_str(), now[7].c_str(), now[8].c_str());
}

}  // namespace vorl
