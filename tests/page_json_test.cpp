// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "core/runtime/page_json.h"
#include "support/game.h"

namespace vorl {
namespace {

// Catches a caption that breaks the browser's menu bar: quotes, backslashes
// and control characters must be escaped, ampersands and spaces kept.
TEST(MenuJson, KeepsCaptionsExactlyAndEscapesWhatJsonMust) {
    const std::vector<MenuItem> tree{
        {"mnuA", "E&dit ", {{"q", "say \"hi\"\\\t", {}}}},
        {"mnuB", "Pro&gramer", {}},
    };
    EXPECT_EQ(menuJson(tree),
              R"([{"name":"mnuA","caption":"E&dit ","items":[{"name":"q","caption":)"
              R"("say \"hi\"\\\u0009","items":[]}]},{"name":"mnuB","caption":"Pro&gramer",)"
              R"("items":[]}])");
}

// Catches a readout that drifts from the score panel: a column or a player out
// of place, a count the labels do not show, or the wrong player to move.
TEST(PageJson, ReadoutMirrorsTheScorePanelAndNamesThePlayerToMove) {
    testing::Game game;
    game.form.Timer1_Timer();
    game.form.lblP2BC.Caption = "3";
    game.form.curPlayer = 2;
    EXPECT_EQ(readoutJson(game.form.textReadout()),
              R"({"rows":[["","Balls Sunk","Number of Clicks"],["Player 1","","0"],)"
              R"(["Player 2","3","0"]],"current":"Player 2"})");
}

}  // namespace
}  // namespace vorl
