// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/game/rules/random_colour.h"
#include "core/numeric/fixed_point.h"
#include "core/runtime/controls.h"
#include "core/runtime/form.h"
#include "core/runtime/message_box.h"
#include "core/runtime/program_exit.h"
#include "core/runtime/random_source.h"

namespace vorl {

// A ball's velocity in twips per tick, positive to the right and downward.
struct BallVelocity {
    Fixed vx;
    Fixed vy;
};

// The game's window. Its controls are the table: a ball's position is the
// Left and Top of its shape, read and written by every procedure. Module
// variables sit beside them; handlers and procedures work on both directly.
class Form1 final : public Form {
  public:
    static constexpr int kBallCount = 16;
    static constexpr int kObjectBallCount = 15;
    static constexpr int kFirstRing = 8;  // balls 0 to 7 are solid discs, 8 to 14 rings
    static constexpr int kCueBall = 15;
    static constexpr int kPocketCount = 6;
    // The rail carries fourteen diamond sights of four lines each; the head
    // string is the line after them.
    static constexpr int kSightCount = 14;
    static constexpr int kLinesPerSight = 4;
    static constexpr int kHeadStringLine = kSightCount * kLinesPerSight;
    static constexpr int kLineCount = kHeadStringLine + 1;
    static_assert(0 < kFirstRing && kFirstRing < kObjectBallCount);
    static_assert(kCueBall == kObjectBallCount && kBallCount == kObjectBallCount + 1,
                  "the cue ball comes last, after the object balls");

    Form1(MessageBox& messageBox, RandomSource& random, ProgramExit& programExit);

    // --- Controls (opening layout: game/opening_layout.cpp; stacking order:
    // game/stacking_order.cpp) ---
    std::array<ShapeControl, kBallCount> ball;
    std::array<ShapeControl, kPocketCount> Pcoket;
    ShapeControl shpTableLay1;                 // the cloth (fill) and the rail (border)
    ShapeControl shpBorder;                    // the playing area; never drawn
    ShapeControl Shape42;                      // the foot spot
    std::array<LineControl, kLineCount> Line;  // Line[n - 1] is LineN
    LineControl lineCue;
    LabelControl Label18;
    LabelControl Label19;
    LabelControl lblNamePl1;
    LabelControl lblNamePl2;
    LabelControl lblP1BC;
    LabelControl lblP2BC;
    LabelControl lblP1CC;
    LabelControl lblP2CC;
    LabelControl lblHelp;
    PictureControl Image1;
    TimerControl Timer1;
    std::vector<MenuItem> menus;

    // --- Module variables ---
    std::array<BallVelocity, kBallCount> ballVel{};
    std::int16_t p1Clicks = 0;
    std::int16_t p2Clicks = 0;
    std::int16_t curPlayer = 0;
    std::int16_t shotActive = 0;
    std::int16_t ballsSunk = 0;
    std::int16_t helpShown = 0;

    // Every field a tick reads or writes, in one fixed order, each handed to
    // `visit` as its name and a member pointer: the controls, the menu tree,
    // the velocities, the module variables and the count of random draws.
    // Saving, loading, the replay tool and the tests all walk this list, so
    // a field added here reaches every one of them.
    template <typename Visitor>
    static void visitFields(Visitor&& visit) {
        visit("ball", &Form1::ball);
        visit("Pcoket", &Form1::Pcoket);
        visit("shpTableLay1", &Form1::shpTableLay1);
        visit("shpBorder", &Form1::shpBorder);
        visit("Shape42", &Form1::Shape42);
        visit("Line", &Form1::Line);
        visit("lineCue", &Form1::lineCue);
        visit("Label18", &Form1::Label18);
        visit("Label19", &Form1::Label19);
        visit("lblNamePl1", &Form1::lblNamePl1);
        visit("lblNamePl2", &Form1::lblNamePl2);
        visit("lblP1BC", &Form1::lblP1BC);
        visit("lblP2BC", &Form1::lblP2BC);
        visit("lblP1CC", &Form1::lblP1CC);
        visit("lblP2CC", &Form1::lblP2CC);
        visit("lblHelp", &Form1::lblHelp);
        visit("Image1", &Form1::Image1);
        visit("Timer1", &Form1::Timer1);
        visit("menus", &Form1::menus);
        visit("ballVel", &Form1::ballVel);
        visitModuleVariables(visit);
        visit("randomDraws", &Form1::randomDraws_);
    }
    // The 16-bit module variables alone, in the same way.
    template <typename Visitor>
    static void visitModuleVariables(Visitor&& visit) {
        visit("p1Clicks", &Form1::p1Clicks);
        visit("p2Clicks", &Form1::p2Clicks);
        visit("curPlayer", &Form1::curPlayer);
        visit("shotActive", &Form1::shotActive);
        visit("ballsSunk", &Form1::ballsSunk);
        visit("helpShown", &Form1::helpShown);
    }

    // --- Handlers ---
    void Form_Load();
    void Timer1_Timer();
    void Form_MouseMove(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void Form_MouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y);
    // Menu commands (game/menu_commands.cpp). The Difficulty items have none.
    void mnuReset_Click();
    void mnuExit_Click();
    void mnuGreen_Click();
    void mnuCyan_Click();
    void mnuCB_Click();
    void mnuBB_Click();
    void mnuBCY_Click();
    void mnuBR_Click();
    void mnuhtp_Click();
    void mnuprog_Click();
    // Runs the command of the named menu item (game/menu_commands.cpp); a
    // Difficulty item does nothing. Returns false when no item without a
    // submenu has that name.
    bool runMenuCommand(std::string_view name);

    // Runs one of the tick's procedures alone, by name (for tools and tests).
    // Returns false when there is no such procedure.
    bool callProcedure(std::string_view name);

    // --- Form ---
    std::string caption() const override;
    std::string applicationTitle() const override;
    float clientWidth() const override;
    float clientHeight() const override;
    Colour backColour() const override;
    std::vector<ControlRef> controlsBackToFront() const override;
    const std::vector<MenuItem>& menuBar() const override { return menus; }
    TextReadout textReadout() const override;  // game/text_readout.cpp
    void load() override { Form_Load(); }
    void timer() override { Timer1_Timer(); }
    void mouseMove(std::int16_t button, std::int16_t shift, float x, float y) override {
        Form_MouseMove(button, shift, x, y);
    }
    void mouseDown(std::int16_t button, std::int16_t shift, float x, float y) override {
        Form_MouseDown(button, shift, x, y);
    }
    void menuClick(std::string_view name) override { runMenuCommand(name); }
    // The state starts with a mark, the format's version and a fingerprint of
    // the opening layout, so that a state from another build is refused; the
    // fields follow in visitFields' order, then the random source's state.
    bool saveState(FormState& state) const override;
    bool loadState(std::string_view bytes, std::string* why) override;

  private:
    void initializeLayout();
    void saveFields(FormState& state) const;
    std::uint64_t layoutFingerprint() const;
    static std::vector<MenuItem> menuTree();  // game/menu_commands.cpp

    // Tick phases (game/timer_tick.cpp).
    void moveBalls();
    void applyFriction();
    void showStrokeCounts();
    void checkCueBallAtRest();
    void showTurn();

    // Aiming and striking (game/pointer.cpp).
    void countStroke();

    // Physics (physics/).
    void CheckCushions();
    void CheckCollisions();

    // Rules (rules/).
    void CheckCueBallSunk();
    void CheckBallsSunk();
    void finalBallColours();
    void CheckWinner();
    void NewGame();
    Colour RandomHexColor();
    // Inline: the last-ball colours draw 138 numbers a tick.
    std::int16_t RandomInt(const std::int16_t& lower, const std::int16_t& upper) {
        ++randomDraws_;
        return randomIntFrom(random_.next(), lower, upper);
    }

    MessageBox& messageBox_;
    RandomSource& random_;
    ProgramExit& programExit_;
    // Numbers drawn from random_: all the game can tell of the source's state.
    std::uint64_t randomDraws_ = 0;
};

}  // namespace vorl
