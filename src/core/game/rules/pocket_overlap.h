// SPDX-License-Identifier: MIT
#pragma once

#include "core/numeric/rounding.h"
#include "core/runtime/controls.h"
#include "core/runtime/rect.h"

namespace vorl {

// A shape's bounding rectangle in whole twips, each edge rounded half to even.
inline RECT shapeRect(const ShapeControl& shape) {
    // The far edges are summed in double so no float rounding creeps in.
    return RECT{toInt32(shape.Left), toInt32(shape.Top),
                toInt32(static_cast<double>(shape.Left) + static_cast<double>(shape.Width)),
                toInt32(static_cast<double>(shape.Top) + static_cast<double>(shape.Height))};
}

// A ball drops when its rectangle shares an area with the pocket's; touching
// edges are not enough.
inline bool overlap(const RECT& a, const RECT& b) {
    RECT shared;
    return IntersectRect(&shared, &a, &b) != 0;
}

}  // namespace vorl
