#include "rules/tally.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

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
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        return text.front() == '-' ? -HUGE_VAL : HUGE_VAL;
    }
    return error == std::errc() ? value : 0;
}

std::string tallyText(double count) {
    if (std::isfinite(count) && count == std::nearbyint(count) && std::fabs(count) < 1e15) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.0f", count);
        return buffer;
    }
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, count);
    return std::string(buffer, result.ptr);
}

}  // namespace vorl
