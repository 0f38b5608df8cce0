// SPDX-License-Identifier: MIT
#include "core/game/rules/tally.h"

#include <cctype>
#include <cmath>
#include <cstdint>

#include "core/numeric/decimal_text.h"
#include "core/numeric/rounding.h"

namespace vorl {

double readTally(std::string_view caption) {
    std::size_t start = caption.find_first_not_of(" \t");
    if (start == std::string_view::npos) {
        return 0;
    }
    std::string_view text = caption.substr(start);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    // Only plain decimal notation counts: "inf", "nan" and hex read as 0.
    const std::size_t digits = (!text.empty() && text.front() == '-') ? 1 : 0;
    if (text.size() <= digits ||
        (!std::isdigit(static_cast<unsigned char>(text[digits])) && text[digits] != '.')) {
        return 0;
    }
    // Too large or too small alike read as infinite.
    const DecimalRead<double> read = readDecimal<double>(text);
    if (read.status == DecimalStatus::OutOfRange) {
        return text.front() == '-' ? -HUGE_VAL : HUGE_VAL;
    }
    return read.status == DecimalStatus::Ok ? read.value : 0;
}

std::string tallyText(double count) {
    if (std::isfinite(count) && count == roundHalfEven(count) && std::fabs(count) < 1e15) {
        // Whole numbers in full, without an exponent; -0 keeps its sign.
        const auto magnitude = static_cast<std::int64_t>(std::fabs(count));
        return (std::signbit(count) ? "-" : "") + std::to_string(magnitude);
    }
    return shortestText(count);
}

}  // namespace vorl
