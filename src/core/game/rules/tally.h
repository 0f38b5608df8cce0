// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace vorl {

// A player's pocketed balls live only as the text of a score label.

// The decimal number at the start of the text, after blanks; 0 if none.
double readTally(std::string_view caption);

// Plain decimal text: "1", "10"; no blanks, no sign for positives, no
// fraction for whole numbers.
std::string tallyText(double count);

}  // namespace vorl
