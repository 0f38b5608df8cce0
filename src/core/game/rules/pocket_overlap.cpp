// SPDX-License-Identifier: MIT
#include "core/game/rules/pocket_overlap.h"

#include "core/numeric/rounding.h"

namespace vorl {

RECT shapeRect(const ShapeControl& shape) {
    // The far edges are summed in double so no float rounding creeps in.
    return RECT{toInt32(shape.Left), toInt32(shape.Top),
                toInt32(static_cast<double>(shape.Left) + static_cast<double>(shape.Width)),
                toInt32(static_cast<double>(shape.Top) + static_cast<double>(shape.Height))};
}

}  // namespace vorl
