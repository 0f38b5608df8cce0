// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace vorl {

// A colour as stored in a control: 0x00BBGGRR, or a system colour code
// (0x80000000 plus the index) that is resolved from the user's scheme when
// the control is drawn.
using OleColor = std::uint32_t;

constexpr OleColor kSystemColourFlag = 0x80000000u;

constexpr OleColor systemColour(int index) {
    return kSystemColourFlag | static_cast<OleColor>(index);
}
constexpr bool isSystemColour(OleColor c) {
    return (c & kSystemColourFlag) != 0;
}
constexpr int systemColourIndex(OleColor c) {
    return static_cast<int>(c & 0xFFu);
}

constexpr OleColor rgb(int r, int g, int b) {
    return static_cast<OleColor>(r) | (static_cast<OleColor>(g) << 8) |
           (static_cast<OleColor>(b) << 16);
}

inline constexpr OleColor COLOR_MENU = systemColour(4);
inline constexpr OleColor COLOR_WINDOW = systemColour(5);
inline constexpr OleColor COLOR_WINDOWTEXT = systemColour(8);
inline constexpr OleColor COLOR_BTNFACE = systemColour(15);
inline constexpr OleColor COLOR_BTNTEXT = systemColour(18);

}  // namespace vorl
