// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace vorl {

// What the command line asks of the program, read before any window opens so
// that --help and --version work without a display. The game itself takes
// one option; Qt's own (-platform NAME, -style NAME, ...) pass through to Qt.
struct CommandLine {
    enum class Action { Play, Help, Version, Unknown };
    Action action = Action::Play;
    std::string offending;        // for Unknown: the first argument not understood
    bool reduceFlashing = false;  // --reduce-flashing: the table's colours change slowly
};

CommandLine readCommandLine(int argc, const char* const argv[]);

// The usage, ending in a newline; `program` is the name the user typed.
std::string usageText(std::string_view program);

// "vorl (Darvo's Vorl Hall) 0.1", ending in a newline.
std::string versionText(std::string_view version);

}  // namespace vorl
