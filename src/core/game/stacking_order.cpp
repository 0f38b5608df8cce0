// SPDX-License-Identifier: MIT
#include "core/game/form1.h"

namespace vorl {
namespace {

// The object balls stack in index order, but ball 12 lies over 13 and 14.
constexpr int kBallAboveTheRack = 12;
static_assert(kBallAboveTheRack < Form1::kObjectBallCount);

}  // namespace

// The order the controls are drawn in, from the back: the bed, the foot spot
// and the diamond sights lie under the balls; one score label, the head
// string, the cue line, the help panel and the pockets lie over them, so a
// ball running into a pocket vanishes under it.
std::vector<ControlRef> Form1::controlsBackToFront() const {
    std::vector<ControlRef> order;
    order.push_back(&shpTableLay1);
    order.push_back(&Shape42);
    for (int n = 0; n < kHeadStringLine; ++n) {
        order.push_back(&Line[n]);
    }
    for (int i = 0; i < kObjectBallCount; ++i) {
        if (i != kBallAboveTheRack) {
            order.push_back(&ball[i]);
        }
    }
    order.push_back(&ball[kBallAboveTheRack]);
    order.push_back(&ball[kCueBall]);
    order.push_back(&lblP1BC);
    order.push_back(&Line[kHeadStringLine]);
    order.push_back(&lineCue);
    order.push_back(&lblHelp);
    // The playing area, never drawn, sits between the first pocket and the rest.
    order.push_back(&Pcoket[0]);
    order.push_back(&shpBorder);
    for (int k = 1; k < kPocketCount; ++k) {
        order.push_back(&Pcoket[k]);
    }
    for (const LabelControl* l :
         {&lblNamePl1, &lblP1CC, &Label18, &Label19, &lblNamePl2, &lblP2BC, &lblP2CC}) {
        order.push_back(l);
    }
    order.push_back(&Image1);
    return order;
}

}  // namespace vorl
