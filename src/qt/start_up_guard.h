// SPDX-License-Identifier: MIT
#pragma once

namespace vorl {

// Watches Qt's messages while the application object is made. Qt ends the
// program with an abort (and a core dump) when no platform plugin can start,
// that is when there is no display to open; under the guard the program
// instead says so in one line and exits with status 1. Qt's other messages of
// that moment are held back and passed on once start-up has succeeded.
class StartUpGuard {
  public:
    StartUpGuard();
    ~StartUpGuard();
    StartUpGuard(const StartUpGuard&) = delete;
    StartUpGuard& operator=(const StartUpGuard&) = delete;

    // Start-up went well: pass on what was held back and stop watching.
    void release();
};

}  // namespace vorl
