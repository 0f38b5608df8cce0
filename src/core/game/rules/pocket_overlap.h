// SPDX-License-Identifier: MIT
#pragma once

#include "core/runtime/controls.h"
#include "core/runtime/rect.h"

namespace vorl {

// A shape's bounding rectangle in whole twips, each edge rounded half to even.
RECT shapeRect(const ShapeControl& shape);

// A ball drops when its rectangle shares an area with the pocket's; touching
// edges are not enough.
inline bool overlap(const RECT& a, const RECT& b) {
    RECT shared;
    return IntersectRect(&shared, &a, &b) != 0;
}

}  // namespace vorl
