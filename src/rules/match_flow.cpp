#include "game/form1.h"

namespace vorl {

// The end of a rack, the last-ball colours and the new rack come with the
// match rules; until then the tick runs through them without effect.
void Form1::FinalBallColours() {}
void Form1::CheckWinner() {}
void Form1::NewGame() {}

}  // namespace vorl
