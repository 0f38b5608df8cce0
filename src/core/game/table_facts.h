// SPDX-License-Identifier: MIT
#pragma once

#include "core/game/form1.h"
#include "core/runtime/colour.h"

// Facts about the table that more than one procedure needs: the colours it is
// painted with, the rack's spots and colours, and where a new game differs
// from the opening layout.
namespace vorl::table {

// The colours the table is painted with (0x00BBGGRR), by name.
inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kWhite = 0xFFFFFF;
inline constexpr Colour kLightGrey = 0xE0E0E0;
inline constexpr Colour kGreen = 0x008000;
inline constexpr Colour kBrown = 0x0040C0;
inline constexpr Colour kCyan = 0xFFFF00;
inline constexpr Colour kBlue = 0xFF0000;
inline constexpr Colour kRed = 0x0000FF;
inline constexpr Colour kDarkRed = 0x0000C0;
inline constexpr Colour kYellow = 0x00FFFF;
inline constexpr Colour kNavy = 0x800000;
inline constexpr Colour kPurple = 0x800080;
inline constexpr Colour kOrange = 0x0080FF;
inline constexpr Colour kDarkGreen = 0x004000;
inline constexpr Colour kMaroon = 0x000040;

// The cloth (the bed's fill) and the rail (its border) when the game opens and
// after every new game; the menus change them in between.
inline constexpr Colour kCloth = kGreen;
inline constexpr Colour kRail = kBrown;
inline constexpr Colour kPocket = kBlack;

inline constexpr int kRingCount = Form1::kObjectBallCount - Form1::kFirstRing;

// A ball's top-left corner, in twips.
struct Spot {
    float left;
    float top;
};

// The rack: five columns, the apex at the right pointing at the cue ball.
inline constexpr Spot kRackSpots[Form1::kObjectBallCount] = {
    {4440, 3000}, {3960, 2760}, {3960, 3240}, {3600, 2520}, {3240, 2760},
    {3600, 3480}, {3240, 2280}, {3600, 3000}, {3240, 3240}, {3240, 3720},
    {2760, 2040}, {2760, 2520}, {2760, 3000}, {2760, 3480}, {2760, 3960},
};

// The colour that tells a ball apart: the fill of a solid disc, the border of
// a ring. The solids are the same in every rack.
inline constexpr Colour kSolidColours[Form1::kFirstRing] = {
    kYellow, kNavy, kDarkRed, kPurple, kOrange, kDarkGreen, kMaroon, kBlack,
};

// Where a new game differs from the opening layout: the cue ball comes back
// 120 twips higher, ball 10 gets a yellow ring and ball 11 a red one (no
// purple ring is left), and the cue line turns from brown to red.
inline constexpr Spot kOpeningCueBallSpot = {8760, 3120};
inline constexpr Spot kCueBallSpot = {8760, 3000};  // also where a scratch puts it
inline constexpr Colour kOpeningRingColours[kRingCount] = {
    kYellow, kNavy, kDarkRed, kPurple, kMaroon, kOrange, kDarkGreen,
};
inline constexpr Colour kNewGameRingColours[kRingCount] = {
    kYellow, kNavy, kYellow, kDarkRed, kMaroon, kOrange, kDarkGreen,
};
inline constexpr Colour kOpeningCueLine = kBrown;
inline constexpr Colour kNewGameCueLine = kRed;

}  // namespace vorl::table
