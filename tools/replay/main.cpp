// SPDX-License-Identifier: MIT
#include <iostream>

#include "replay.h"

int main() {
    return vorl::runReplay(std::cin, std::cout, std::cerr);
}
