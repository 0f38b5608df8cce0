// SPDX-License-Identifier: MIT
#include "qt/command_line.h"

#include <array>

namespace vorl {
namespace {

struct QtOption {
    std::string_view name;
    bool takesValue;
};

// The options QApplication takes out of the command line itself, as its
// documentation lists them. Anything Qt leaves behind is refused after
// start-up as well, so a gap here can only make an option fail later.
constexpr std::array<QtOption, 20> kQtOptions{{
    {"platform", true},        {"platformpluginpath", true},
    {"platformtheme", true},   {"plugin", true},
    {"qwindowgeometry", true}, {"geometry", true},
    {"qwindowicon", true},     {"icon", true},
    {"qwindowtitle", true},    {"title", true},
    {"display", true},         {"name", true},
    {"session", true},         {"style", true},
    {"stylesheet", true},      {"qmljsdebugger", true},
    {"reverse", false},        {"widgetcount", false},
    {"nograb", false},         {"dograb", false},
}};

const QtOption* qtOption(std::string_view arg) {
    // Qt takes "-name" and "--name", and "-name=value" for those with a value.
    if (arg.size() < 2 || arg[0] != '-') {
        return nullptr;
    }
    arg.remove_prefix(arg[1] == '-' ? 2 : 1);
    const std::string_view name = arg.substr(0, arg.find('='));
    for (const QtOption& option : kQtOptions) {
        if (option.name == name && (option.takesValue || name.size() == arg.size())) {
            return &option;
        }
    }
    return nullptr;
}

}  // namespace

CommandLine readCommandLine(int argc, const char* const argv[]) {
    CommandLine line;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "-h" || arg == "--help") {
            return {CommandLine::Action::Help, {}};
        }
        if (arg == "-v" || arg == "--version") {
            return {CommandLine::Action::Version, {}};
        }
        if (arg == "--reduce-flashing") {
            line.reduceFlashing = true;
            continue;
        }
        if (const QtOption* option = qtOption(arg)) {
            if (option->takesValue && arg.find('=') == std::string_view::npos) {
                ++i;  // the value is the next argument
            }
            continue;
        }
        if (line.action == CommandLine::Action::Play) {
            line.action = CommandLine::Action::Unknown;
            line.offending = std::string(arg);
        }
    }
    return line;
}

std::string usageText(std::string_view program) {
    return "Usage: " + std::string(program) +
           " [OPTION]...\n"
           "Darvo's Vorl Hall: two-player pocket billiards on one shared mouse.\n"
           "\n"
           "      --reduce-flashing  change the table's colours at most three times a\n"
           "                         second (as when the desktop asks for less motion)\n"
           "  -h, --help             show this help and exit\n"
           "  -v, --version          show the version and exit\n"
           "\n"
           "Qt's own options, such as -platform NAME or -style NAME, are taken as well.\n";
}

std::string versionText(std::string_view version) {
    return "vorl (Darvo's Vorl Hall) " + std::string(version) + "\n";
}

}  // namespace vorl
