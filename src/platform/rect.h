#pragma once

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
// Rectangles that only touch do not overlap.
std::int32_t IntersectRect(RECT* dst, const RECT* src1, const RECT* src2);

}  // namespace vorl
