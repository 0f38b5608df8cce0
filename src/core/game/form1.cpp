// SPDX-License-Identifier: MIT
#include "core/game/form1.h"

#include <initializer_list>
#include <utility>
#include <variant>

namespace vorl {
namespace {

constexpr float kClientWidthTwips = 19080;
constexpr float kClientHeightTwips = 10680;

}  // namespace

Form1::Form1(MessageBox& messageBox, RandomSource& random, ProgramExit& programExit)
    : messageBox_(messageBox), random_(random), programExit_(programExit) {
    initializeLayout();
}

void Form1::Form_Load() {
    curPlayer = 1;
}

bool Form1::callProcedure(std::string_view name) {
    using Procedure = void (Form1::*)();
    static constexpr std::pair<std::string_view, Procedure> kProcedures[] = {
        {"CheckCushions", &Form1::CheckCushions},
        {"CheckCollisions", &Form1::CheckCollisions},
        {"CheckCueBallSunk", &Form1::CheckCueBallSunk},
        {"CheckBallsSunk", &Form1::CheckBallsSunk},
        {"CheckWinner", &Form1::CheckWinner},
        {"NewGame", &Form1::NewGame},
    };
    for (const auto& [procedureName, procedure] : kProcedures) {
        if (procedureName == name) {
            (this->*procedure)();
            return true;
        }
    }
    return false;
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
Colour Form1::backColour() const {
    return COLOR_MENU;
}

bool Form1::saveState(FormState& state) const {
    state.clear();
    for (const ControlRef& control : controlsBackToFront()) {
        std::visit([&state](const auto* c) { state.add(*c); }, control);
    }
    state.add(Timer1);
    for (const MenuItem& item : menus) {
        state.add(item);
    }
    for (const BallVelocity& v : ballVel) {
        state.add(v.vx.units());
        state.add(v.vy.units());
    }
    for (const std::int16_t variable :
         {p1Clicks, p2Clicks, curPlayer, shotActive, ballsSunk, helpShown}) {
        state.add(variable);
    }
    state.add(randomDraws_);
    return true;
}

}  // namespace vorl
