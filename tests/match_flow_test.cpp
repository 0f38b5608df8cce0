// SPDX-License-Identifier: MIT
// The end of a rack, the new rack and the last-ball colours.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <tuple>

#include "core/game/rules/random_colour.h"
#include "support/game.h"

namespace vorl {
namespace {

using testing::Game;
using testing::units;

constexpr Colour kGreen = 0x008000;
constexpr Colour kBrown = 0x0040C0;
constexpr Colour kYellow = 0x00FFFF;
constexpr Colour kRed = 0x0000C0;

void hideObjectBalls(Form1& f, int count) {
    for (int i = 0; i < count; ++i) {
        f.ball[i].Visible = false;
    }
}

// A table in disarray: balls moved, rolling and pocketed, colours changed
// by the menus and the last-ball phase, counters and tallies run up.
void scramble(Form1& f) {
    for (int i = 0; i < Form1::kBallCount; ++i) {
        f.ball[i].Left += 100.25f * static_cast<float>(i + 1);
        f.ball[i].Top -= 33.5f;
        f.ballVel[i] = {units(12345 * (i + 1)), units(-777 * i)};
    }
    hideObjectBalls(f, 9);
    f.mnuCyan_Click();
    f.mnuBR_Click();
    f.Pcoket[3].FillColor = 0x123456;
    f.ball[2].FillColor = 0xABCDEF;
    f.ball[12].BorderColor = 0x0F0F0F;
    f.lineCue.Visible = false;
    f.p1Clicks = 7;
    f.p2Clicks = 3;
    f.ballsSunk = 9;
    f.lblP1BC.Caption = "4";
    f.lblP2BC.Caption = "5";
    f.lblP1CC.Caption = "7";
    f.lblP2CC.Caption = "3";
    f.curPlayer = 2;
    f.shotActive = 1;
    f.mnuhtp_Click();
}

// ---------------------------------------------------------------- new game

// Catches a spot, colour or counter left over from the old rack, the opening
// layout reused where the new rack differs, or a change to what must stay.
TEST(NewGame, RacksAFreshTableAndLeavesTheTurnTheShotAndTheHelpAlone) {
    const Game opening;
    Game g;
    Form1& f = g.form;
    scramble(f);
    const Colour ring8Fill = f.ball[8].FillColor;
    const Colour solid0Border = f.ball[0].BorderColor;
    f.mnuReset_Click();

    for (int i = 0; i < Form1::kObjectBallCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(f.ball[i].Left, opening.form.ball[i].Left);
        EXPECT_EQ(f.ball[i].Top, opening.form.ball[i].Top);
        EXPECT_TRUE(f.ball[i].Visible);
        if (i < Form1::kFirstRing) {
            EXPECT_EQ(f.ball[i].FillColor, opening.form.ball[i].FillColor);
        } else if (i != 10 && i != 11) {
            EXPECT_EQ(f.ball[i].BorderColor, opening.form.ball[i].BorderColor);
        }
    }
    // The new rack differs from the opening one here.
    EXPECT_EQ(f.ball[10].BorderColor, kYellow);
    EXPECT_EQ(f.ball[11].BorderColor, kRed);
    EXPECT_EQ(f.ball[15].Left, 8760.0f);
    EXPECT_EQ(f.ball[15].Top, 3000.0f);
    EXPECT_EQ(opening.form.ball[15].Top, 3120.0f);
    EXPECT_TRUE(f.lineCue.Visible);
    EXPECT_EQ(f.lineCue.BorderColor, 0x0000FFu);
    EXPECT_EQ(opening.form.lineCue.BorderColor, kBrown);

    for (const BallVelocity& v : f.ballVel) {
        EXPECT_EQ(v.vx, Fixed());
        EXPECT_EQ(v.vy, Fixed());
    }
    EXPECT_EQ(f.shpTableLay1.FillColor, kGreen);
    EXPECT_EQ(f.shpTableLay1.BorderColor, kBrown);
    for (const ShapeControl& pocket : f.Pcoket) {
        EXPECT_EQ(pocket.FillColor, 0u);
    }
    EXPECT_EQ(std::tie(f.p1Clicks, f.p2Clicks, f.ballsSunk), std::make_tuple(0, 0, 0));
    EXPECT_EQ(f.lblP1BC.Caption, "");  // empty, not "0"
    EXPECT_EQ(f.lblP2BC.Caption, "");

    // Left alone: the turn, the shot flag, the help panel, colours nothing else changes.
    EXPECT_EQ(f.curPlayer, 2);
    EXPECT_EQ(f.shotActive, 1);
    EXPECT_EQ(f.helpShown, 1);
    EXPECT_TRUE(f.lblHelp.Visible);
    EXPECT_EQ(f.ball[8].FillColor, ring8Fill);
    EXPECT_EQ(f.ball[0].BorderColor, solid0Border);
    EXPECT_EQ(f.ball[15].FillColor, opening.form.ball[15].FillColor);
    EXPECT_EQ(f.ball[15].BorderColor, opening.form.ball[15].BorderColor);
    // The stroke labels keep the old counts until the next tick.
    EXPECT_EQ(f.lblP1CC.Caption, "7");
    EXPECT_EQ(f.lblP2CC.Caption, "3");
    f.Timer1_Timer();
    EXPECT_EQ(f.lblP1CC.Caption, "0");
    EXPECT_EQ(f.lblP2CC.Caption, "0");
    EXPECT_EQ(f.lblNamePl2.BackColor, 0x0000FFu);  // still player 2's turn
    f.mnuhtp_Click();                              // and the next help click hides the panel
    EXPECT_FALSE(f.lblHelp.Visible);
}

// Catches a ball that keeps some speed through the reset and drifts off its spot.
TEST(NewGame, ResetWhileBallsRollStopsEveryBallOnItsSpot) {
    Game g;
    Form1& f = g.form;
    f.Form_MouseMove(0, 0, 11000, 3250);
    f.Form_MouseDown(1, 0, 0, 0);
    for (int t = 0; t < 60; ++t) {
        f.Timer1_Timer();
    }
    f.mnuReset_Click();
    const Game fresh;
    for (int t = 0; t <= 5; ++t) {
        for (int i = 0; i < Form1::kBallCount; ++i) {
            SCOPED_TRACE(::testing::Message() << "ball " << i << " tick " << t);
            EXPECT_EQ(f.ballVel[i].vx, Fixed());
            EXPECT_EQ(f.ballVel[i].vy, Fixed());
            if (i != Form1::kCueBall) {
                EXPECT_EQ(f.ball[i].Left, fresh.form.ball[i].Left);
                EXPECT_EQ(f.ball[i].Top, fresh.form.ball[i].Top);
            }
        }
        f.Timer1_Timer();
    }
}

// Catches random colours that survive a reset, or cycling that goes on after it.
TEST(NewGame, ResetDuringTheLastBallPhaseStopsTheColoursAtOnce) {
    Game g;
    Form1& f = g.form;
    hideObjectBalls(f, 14);
    f.ballsSunk = 14;
    f.Timer1_Timer();
    ASSERT_NE(f.shpTableLay1.FillColor, kGreen);  // the seeded source does not draw green
    f.mnuReset_Click();
    EXPECT_EQ(f.shpTableLay1.FillColor, kGreen);
    EXPECT_EQ(f.shpTableLay1.BorderColor, kBrown);
    EXPECT_EQ(f.ball[7].FillColor, 0u);
    f.Timer1_Timer();
    EXPECT_EQ(f.shpTableLay1.FillColor, kGreen);
    EXPECT_EQ(f.Pcoket[0].FillColor, 0u);
}

// ---------------------------------------------------------------- end of rack

// Player 1's tally, player 2's and the winner's message.
class EndOfRack
    : public ::testing::TestWithParam<std::tuple<std::string, std::string, std::string>> {};

// "8To7", "EmptyToEmpty": named by the tallies, the same in every build.
std::string talliesName(const ::testing::TestParamInfo<EndOfRack::ParamType>& info) {
    const auto tally = [](const std::string& t) { return t.empty() ? std::string("Empty") : t; };
    return tally(std::get<0>(info.param)) + "To" + tally(std::get<1>(info.param));
}

// Catches the players swapped, a tie given to player 2, strokes counted
// instead of balls, or empty tallies that do not read as 0.
TEST_P(EndOfRack, NamesThePlayerWithMoreBallsAndRacksAgainAfterTheBox) {
    const auto [p1, p2, message] = GetParam();
    Game g;
    Form1& f = g.form;
    hideObjectBalls(f, 15);
    f.lblP1BC.Caption = p1;
    f.lblP2BC.Caption = p2;
    f.p1Clicks = 1;
    f.p2Clicks = 30000;
    ASSERT_TRUE(f.callProcedure("CheckWinner"));
    EXPECT_EQ(g.messages.shown, std::vector<std::string>{message});
    EXPECT_TRUE(f.ball[0].Visible && f.ball[14].Visible);
    EXPECT_EQ(f.lblP1BC.Caption, "");
    EXPECT_EQ(f.p2Clicks, 0);
}
INSTANTIATE_TEST_SUITE_P(
    Tallies, EndOfRack,
    ::testing::Values(EndOfRack::ParamType{"8", "7", " Player 1 Wins, NOW bugger Off"},
                      EndOfRack::ParamType{"6", "9", " Player 2 Wins, NOW bugger Off"},
                      EndOfRack::ParamType{"5", "5", " Player 1 Wins, NOW bugger Off"},
                      EndOfRack::ParamType{"", "", " Player 1 Wins, NOW bugger Off"}),
    talliesName);

// Catches a rack ended early, by a count instead of the balls themselves.
TEST(EndOfRackCheck, AnyObjectBallStillShownMeansTheRackGoesOn) {
    for (int left = 0; left < Form1::kObjectBallCount; ++left) {
        Game g;
        Form1& f = g.form;
        hideObjectBalls(f, 15);
        f.ball[left].Visible = true;
        f.ballsSunk = 15;
        f.lblP1BC.Caption = "15";
        for (int t = 0; t < 3; ++t) {
            f.callProcedure("CheckWinner");
        }
        EXPECT_TRUE(g.messages.shown.empty()) << left;
        EXPECT_FALSE(f.ball[0].Visible && f.ball[14].Visible) << left;
    }
}

// Catches the message read before the last ball is credited, a second box on
// the next tick, or the new rack put off to a later tick.
TEST(EndOfRackCheck, TheLastBallsTickShowsOneMessageWithItAndRacksAgain) {
    Game g;
    Form1& f = g.form;
    testing::lastBallOverPocket(f, "7", "7");
    f.mnuCyan_Click();
    f.Timer1_Timer();
    EXPECT_EQ(g.messages.shown, std::vector<std::string>{" Player 2 Wins, NOW bugger Off"});
    EXPECT_EQ(f.ballsSunk, 0);
    EXPECT_TRUE(f.ball[0].Visible);
    EXPECT_EQ(f.ball[0].Left, 4440.0f);
    EXPECT_EQ(f.shpTableLay1.FillColor, kGreen);
    EXPECT_EQ(f.lblNamePl2.BackColor, 0x0000FFu);
    f.Timer1_Timer();
    EXPECT_EQ(g.messages.shown.size(), 1u);
}

// ---------------------------------------------------------------- last-ball colours

// The float that makes RandomInt(0, 15) give n.
float drawFor(int n) {
    return n == 15 ? 0.99f : static_cast<float>(n) / 15.0f;
}

// Catches the digits read in the wrong byte order, a leading blank on a digit,
// properties recoloured out of order, the cue ball or the lines recoloured.
TEST(LastBallColours, TwentyThreeColoursInOrderFromSixDigitsEach) {
    testing::GameWith<testing::RecordingMessageBox, testing::ScriptedRandom> g;
    Form1& f = g.form;
    testing::ScriptedRandom& random = g.random;
    hideObjectBalls(f, 14);
    f.ball[3].Visible = true;  // any one ball left; hidden ones are recoloured too
    f.ball[14].Visible = false;
    f.ballsSunk = 14;
    const std::array<const char*, 4> texts = {"00FF00", "FF0000", "0000FF", "7A7B7C"};
    for (const char* text : texts) {
        for (const char* c = text; *c != '\0'; ++c) {
            random.values.push_back(drawFor(*c <= '9' ? *c - '0' : *c - 'A' + 10));
        }
    }
    const ShapeControl cue = f.ball[15];
    const Colour cueLine = f.lineCue.BorderColor;
    f.Timer1_Timer();
    EXPECT_EQ(random.draws, 138u);
    EXPECT_EQ(f.shpTableLay1.FillColor, 0x00FF00u);  // green
    EXPECT_EQ(f.ball[0].FillColor, 0xFF0000u);       // blue
    EXPECT_EQ(f.ball[1].FillColor, 0x0000FFu);       // red
    EXPECT_EQ(f.ball[2].FillColor, 0x7A7B7Cu);
    // The last digit repeats from there on.
    EXPECT_EQ(f.ball[3].FillColor, 0xCCCCCCu);
    EXPECT_EQ(f.ball[14].BorderColor, 0xCCCCCCu);
    EXPECT_EQ(f.shpTableLay1.BorderColor, 0xCCCCCCu);
    EXPECT_EQ(f.Pcoket[5].FillColor, 0xCCCCCCu);
    EXPECT_EQ(f.ball[15].FillColor, cue.FillColor);
    EXPECT_EQ(f.ball[15].BorderColor, cue.BorderColor);
    EXPECT_EQ(f.lineCue.BorderColor, cueLine);
    EXPECT_EQ(f.ball[8].FillColor, Game().form.ball[8].FillColor);  // rings keep their hole

    random.values = {drawFor(11)};
    f.Timer1_Timer();
    EXPECT_EQ(random.draws, 276u);
    EXPECT_EQ(f.shpTableLay1.BorderColor, 0xBBBBBBu);
}

// Catches cycling that starts a ball early or runs on after the last ball.
TEST(LastBallColours, NothingIsRecolouredWithThirteenOrFifteenDown) {
    for (const std::int16_t sunk : {std::int16_t{13}, std::int16_t{15}}) {
        testing::GameWith<testing::RecordingMessageBox, testing::ScriptedRandom> g;
        Form1& f = g.form;
        f.ballsSunk = sunk;
        f.Timer1_Timer();
        EXPECT_EQ(g.random.draws, 0u) << sunk;
        EXPECT_EQ(f.shpTableLay1.FillColor, kGreen) << sunk;
    }
}

// Catches a truncating RandomInt (15 would never come up), one that reaches 16
// near 1, or rounding done in single precision.
TEST(LastBallColours, RandomIntGivesTheEndValuesHalfTheChance) {
    // Every float k / 2^24 in [0, 1), each once: an even spread under our control.
    std::array<long, 17> counts{};
    constexpr long kSteps = 1L << 24;
    for (long k = 0; k < kSteps; ++k) {
        const float r = static_cast<float>(k) / static_cast<float>(kSteps);
        const int n = randomIntFrom(r, 0, 15);
        ASSERT_TRUE(n >= 0 && n <= 15) << r;
        ++counts[static_cast<std::size_t>(n)];
    }
    // r * 15 <= 0.5 gives 0: k <= 2^24 / 30.
    EXPECT_EQ(counts[0], kSteps / 30 + 1);
    for (int n = 1; n <= 14; ++n) {
        EXPECT_NEAR(static_cast<double>(counts[n]) / static_cast<double>(kSteps), 1.0 / 15, 1e-6)
            << n;
    }
    EXPECT_NEAR(static_cast<double>(counts[15]) / static_cast<double>(kSteps), 1.0 / 30, 1e-6);
    EXPECT_EQ(randomIntFrom(std::nextafter(1.0f, 0.0f), 0, 15), 15);
    EXPECT_EQ(randomIntFrom(0.5f, 0, 15), 8);  // 7.5 rounds to even
    EXPECT_EQ(randomIntFrom(0.5f, 1, 2), 2);   // 1.5 rounds to even
}

}  // namespace
}  // namespace vorl
