// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace vorl {

// A colour as stored in a control: 0x00BBGGRR, or a system colour code
// (0x80000000 plus the index) that is resolved from the user's scheme when
// the control is drawn.
using Colour = std::uint32_t;

constexpr Colour kSystemColourFlag = 0x80000000u;

constexpr Colour systemColour(int index) {
    return kSystemColourFlag | static_cast<Colour>(index);
}
constexpr bool isSystemColour(Colour c) {
    return (c & kSystemColourFlag) != 0;
}
constexpr int systemColourIndex(Colour c) {
    return static_cast<int>(c & 0xFFu);
}

constexpr Colour rgb(int r, int g, int b) {
    return static_cast<Colour>(r) | (static_cast<Colour>(g) << 8) | (static_cast<Colour>(b) << 16);
}

inline constexpr Colour COLOR_MENU = systemColour(4);
inline constexpr Colour COLOR_WINDOW = systemColour(5);
inline constexpr Colour COLOR_WINDOWTEXT = systemColour(8);
inline constexpr Colour COLOR_BTNFACE = systemColour(15);
inline constexpr Colour COLOR_BTNTEXT = systemColour(18);

}  // namespace vorl
