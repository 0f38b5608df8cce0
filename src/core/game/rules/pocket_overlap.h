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

// A shape's edges in twips as shapeRect works them out, before rounding.
struct ShapeEdges {
    double left, top, right, bottom;
};

inline ShapeEdges shapeEdges(const ShapeControl& shape) {
    return ShapeEdges{shape.Left, shape.Top,
                      static_cast<double>(shape.Left) + static_cast<double>(shape.Width),
                      static_cast<double>(shape.Top) + static_cast<double>(shape.Height)};
}

// False when the two shapes' rectangles cannot overlap, which settles most
// ball and pocket pairs without rounding a single edge. Rounding to whole
// twips never swaps the order of two edges, so a shape that starts at or
// beyond the other's far edge is still there once both are rounded. An edge
// that is not a number settles nothing.
inline bool mayOverlap(const ShapeEdges& a, const ShapeEdges& b) {
    return !(a.left >= b.right || a.right <= b.left || a.top >= b.bottom || a.bottom <= b.top);
}

// A ball drops when its rectangle shares an area with the pocket's; touching
// edges are not enough.
inline bool overlap(const RECT& a, const RECT& b) {
    RECT shared;
    return IntersectRect(&shared, &a, &b) != 0;
}

}  // namespace vorl
