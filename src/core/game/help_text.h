// SPDX-License-Identifier: MIT
#pragma once

namespace vorl {

// The how-to-play panel's text, spaces exactly as the players see them.
inline constexpr const char* kHelpText =
    "It is a pretty simple program to run and operate. All you have to do is hit the balls into "
    "the holes. The farther you are from the ball the harder you will hit the ball.  You can "
    "change the color of both the side of the table and the table itself. The Player alternate "
    "after you sink the cue ball and it reappears right after you sink it, and if any ball goes "
    "in after that they count for the other person.  Player 1 is defined by the Red cue stick and "
    "player 2 is defined by a Black cue stick. When it comes time to sink the last ball the colors "
    "all randomly start changing to make it more difficult to sink the last ball. ";

}  // namespace vorl
