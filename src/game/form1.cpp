// SPDX-License-Identifier: MIT
#include "game/form1.h"

#include <utility>

namespace vorl {
namespace {

constexpr float kClientWidthTwips = 19080;
constexpr float kClientHeightTwips = 10680;

using Procedure = void (Form1::*)();
using NamedProcedure = std::pair<std::string_view, Procedure>;

// Runs the procedure filed under the name, if it has one. False when no
// entry has that name.
template <std::size_t N>
bool runNamed(Form1& form, const NamedProcedure (&table)[N], std::string_view name) {
    for (const auto& [entryName, procedure] : table) {
        if (entryName == name) {
            if (procedure != nullptr) {
                (form.*procedure)();
            }
            return true;
        }
    }
    return false;
}

}  // namespace

Form1::Form1(MessageBox& messageBox, RandomSource& random, ProgramExit& programExit)
    : messageBox_(messageBox), random_(random), programExit_(programExit) {
    InitializeLayout();
}

void Form1::Form_Load() {
    curPlayer = 1;
}

bool Form1::clickMenu(std::string_view name) {
    // Menu items and the handlers they have; the rest do nothing.
    static constexpr NamedProcedure kHandlers[] = {
        {"mnuReset", &Form1::mnuReset_Click},
        {"mnuExit", &Form1::mnuExit_Click},
        {"mnuDiff0", nullptr},
        {"mnudiff1", nullptr},
        {"mnudiff2", nullptr},
        {"mnudiff3", nullptr},
        {"mnuGreen", &Form1::mnuGreen_Click},
        {"mnuCyan", &Form1::mnuCyan_Click},
        {"mnuCB", &Form1::mnuCB_Click},
        {"mnuBB", &Form1::mnuBB_Click},
        {"mnuBCY", &Form1::mnuBCY_Click},
        {"mnuBR", &Form1::mnuBR_Click},
        {"mnuhtp", &Form1::mnuhtp_Click},
        {"mnuprog", &Form1::mnuprog_Click},
    };
    return runNamed(*this, kHandlers, name);
}

bool Form1::callProcedure(std::string_view name) {
    static constexpr NamedProcedure kProcedures[] = {
        {"CheckCushions", &Form1::CheckCushions},
        {"CheckCollisions", &Form1::CheckCollisions},
        {"CheckCueBallSunk", &Form1::CheckCueBallSunk},
        {"CheckBallsSunk", &Form1::CheckBallsSunk},
        {"CheckWinner", &Form1::CheckWinner},
        {"NewGame", &Form1::NewGame},
    };
    return runNamed(*this, kProcedures, name);
}

std::string Form1::caption() const {
    return "Darvo's Vorl Hall";
}
std::string Form1::applicationTitle() const {
    return "Vorl";
}
float Form1::clientWidth() const {
    return kClientWidthTwips;
}
float Form1::clientHeight() const {
    return kClientHeightTwips;
}
OleColor Form1::backColor() const {
    return COLOR_MENU;
}

}  // namespace vorl
