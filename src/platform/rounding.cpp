#include "platform/rounding.h"

#include <cmath>
#include <limits>

namespace vorl {

std::int32_t toInt32(double x) {
    const double r = std::nearbyint(x);
    if (std::isnan(r)) {
        return 0;
    }
    if (r >= static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (r <= static_cast<double>(std::numeric_limits<std::int32_t>::min())) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(r);
}

std::int16_t increment16(std::int16_t v) {
    return v == std::numeric_limits<std::int16_t>::max() ? v : static_cast<std::int16_t>(v + 1);
}

}  // namespace vorl
