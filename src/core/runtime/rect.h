// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <cstdint>

namespace vorl {

// A rectangle in whole twips; right and bottom are exclusive.
struct RECT {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

// Writes the overlap of the two rectangles to dst and returns non-zero when
// it has positive width and height; otherwise empties dst and returns 0.
// Rectangles that only touch do not overlap. Inline: the pocket checks try
// every ball against every pocket on every tick.
inline std::int32_t IntersectRect(RECT* dst, const RECT* src1, const RECT* src2) {
    const RECT overlap{std::max(src1->left, src2->left), std::max(src1->top, src2->top),
                       std::min(src1->right, src2->right), std::min(src1->bottom, src2->bottom)};
    if (overlap.left < overlap.right && overlap.top < overlap.bottom) {
        *dst = overlap;
        return 1;
    }
    *dst = RECT{};
    return 0;
}

}  // namespace vorl
