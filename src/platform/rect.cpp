#include "platform/rect.h"

#include <algorithm>

namespace vorl {

std::int32_t IntersectRect(RECT* dst, const RECT* src1, const RECT* src2) {
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
