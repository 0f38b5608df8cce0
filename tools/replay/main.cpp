// SPDX-License-Identifier: MIT
#include <iostream>

#include "replay.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#endif

int main() {
#ifdef _WIN32
    // Bytes as they are: no CRLF for each line end written, and no end of
    // the script at a 0x1A byte read.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    return vorl::runReplay(std::cin, std::cout, std::cerr);
}
