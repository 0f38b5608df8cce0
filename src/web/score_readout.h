// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <string>

#include "core/game/form1.h"

namespace vorl {

// The score panel told to the page as text, for those who cannot see the
// canvas: the two column captions, each player's name, balls sunk and strokes
// as the labels show them, and whose turn it is. The page keeps it in a
// hidden table and announces a change of turn.
class ScoreReadout {
  public:
    explicit ScoreReadout(const Form1& game) : game_(game) {}

    // Tells the page the score when any of it differs from what it was told last.
    void update();

  private:
    const Form1& game_;
    std::array<std::string, 9> told_;
    bool toldOnce_ = false;
};

}  // namespace vorl
