// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vorl {

// Decimal text for floats and doubles, worked out exactly with whole
// numbers so that every target prints and reads the same text, whatever its
// C++ library or locale.

// The shortest text that reads back as x: the fewest significant digits,
// the ones nearest x when several would do (ties to an even last digit),
// written plain ("0.001", "19080", "123456790528": whole numbers in full) or
// with an exponent ("1e-04", "1.5e+10") whichever is shorter, plain on a
// tie; "inf", "-inf", "nan" and "-nan" otherwise. The same text as
// std::to_chars(first, last, x) gives.
std::string shortestText(float x);
std::string shortestText(double x);

enum class DecimalStatus { Ok, Invalid, OutOfRange };

template <typename T>
struct DecimalRead {
    DecimalStatus status = DecimalStatus::Invalid;
    std::size_t length = 0;  // characters read
    // The nearest value when Ok; with OutOfRange, the zero or infinity
    // that rounding gives, sign kept (std::from_chars leaves it unset).
    T value = 0;
};

// Reads the decimal number at the start of text: an optional '-', digits
// with an optional point (at least one digit in all), and an exponent ('e'
// or 'E', an optional sign, digits) if one is there in full. The value is
// the nearest float or double, ties to even; OutOfRange when it would be
// infinite, or zero from a number that is not. A leading blank or '+' is
// Invalid, and so are "inf" and "nan", which std::from_chars would read;
// in all else the status, length and value std::from_chars gives.
template <typename T>
DecimalRead<T> readDecimal(std::string_view text);

extern template DecimalRead<float> readDecimal<float>(std::string_view);
extern template DecimalRead<double> readDecimal<double>(std::string_view);

}  // namespace vorl
