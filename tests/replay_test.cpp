// SPDX-License-Identifier: MIT
// The replay tool's reading of scripts: what it accepts, what it refuses and
// how it prints the state. Whole games are checked against golden
// transcripts in tests/replay/.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "replay.h"

namespace vorl {
namespace {

struct ReplayRun {
    int code;
    std::string out;
    std::string err;
};

ReplayRun replay(const std::string& script) {
    std::istringstream in(script);
    std::ostringstream out;
    std::ostringstream err;
    const int code = runReplay(in, out, err);
    return {code, out.str(), err.str()};
}

// The dump line that starts with the given prefix.
std::string dumpLine(const std::string& out, const std::string& prefix) {
    std::istringstream lines(out);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind(prefix, 0) == 0) {
            return line;
        }
    }
    return "(no line " + prefix + ")";
}

// Catches: a bad line stopping the run, wrong line numbers, or a clean exit
// code after an error.
TEST(ReplayScript, BadLinesAreReportedWithTheirNumberAndSkipped) {
    const ReplayRun run = replay(
        "# a comment\n"
        "\n"
        "jump 3\n"
        "set vel 15 1.00001 0\n"
        "tick 2 3\n"
        "set var p1Clicks 40000\n"
        "click mnuNowhere\n"
        "set var p1Clicks 7\n"
        "dump\n");
    EXPECT_EQ(run.code, 1);
    std::istringstream err(run.err);
    std::string line;
    for (int expected : {3, 4, 5, 6, 7}) {
        ASSERT_TRUE(std::getline(err, line));
        EXPECT_EQ(line.rfind("error: line " + std::to_string(expected) + ": ", 0), 0u) << line;
    }
    EXPECT_FALSE(std::getline(err, line));
    EXPECT_NE(dumpLine(run.out, "var ").find("p1Clicks=7 "), std::string::npos);
    EXPECT_NE(dumpLine(run.out, "ball 15 ").find("vx=0.0000 vy=0.0000"), std::string::npos);
}

// Catches: comments, blank lines or CRLF endings counted as errors.
TEST(ReplayScript, CommentsBlankLinesAndCrlfAreFine) {
    const ReplayRun run = replay("  # indented comment\r\n\t\r\ntick\r\n  tick   3  \n");
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(run.err.empty());
}

// The numbers of the lines reported, in order.
std::vector<int> errorLines(const std::string& err) {
    std::vector<int> numbers;
    std::istringstream reports(err);
    std::string report;
    while (std::getline(reports, report)) {
        numbers.push_back(std::stoi(report.substr(report.find("line ") + 5)));
    }
    return numbers;
}

// Catches: a byte-order mark taken as part of the first command, a CR-only
// script read as one line (and skipped whole when it starts with a
// comment), CRLF counted as two line ends, or a 0x1A byte ending the script.
TEST(ReplayReader, EveryLineEndCountsAndAByteOrderMarkIsSkipped) {
    const ReplayRun run = replay(
        "\xEF\xBB\xBF# comment\r"
        "set ball 0 Left 7\r"
        "fly\r\n"
        "\n"
        "\r"
        "set ball 1 Left 8 \x1A\r\n"
        "\xEF\xBB\xBF"
        "dump\n"
        "jump\r"
        "dump");
    EXPECT_EQ(errorLines(run.err), (std::vector<int>{3, 6, 7, 8})) << run.err;
    // A mark further on is no part of the text it seems to be.
    EXPECT_NE(run.err.find("'\\xEF\\xBB\\xBFdump'"), std::string::npos) << run.err;
    EXPECT_EQ(run.out.find("\r"), std::string::npos);
    EXPECT_NE(dumpLine(run.out, "ball 0 ").find(" left=7 "), std::string::npos);
    EXPECT_NE(dumpLine(run.out, "help ").find("visible=0"), std::string::npos);
}

// Catches: control bytes or stray bytes reaching the terminal, a backslash
// that reads like an escape, valid UTF-8 mangled, or a huge token repeated
// whole. Forty characters are kept, an escaped byte counting as one.
TEST(ReplayReader, ErrorsRepeatTokensEscapedAndCutShort) {
    const std::string longNumber = "1" + std::string(1 << 20, '0');
    const ReplayRun run = replay(
        "do\x1B[2J\x7F\\x\xC3\xA9\xC2\x9B\xE0\x80\x80\xFF\x01\n"
        "set ball 0 Left " +
        longNumber + "\n" + "set ball 0 Left \xC3\xA9" + std::string(39, 'x') + "\n");
    EXPECT_EQ(run.err,
              "error: line 1: unknown command "
              "'do\\x1B[2J\\x7F\\\\x\xC3\xA9\\xC2\\x9B\\xE0\\x80\\x80\\xFF\\x01'\n"
              "error: line 2: bad number '" +
                  longNumber.substr(0, 40) +
                  "...'\n"
                  "error: line 3: bad number '\xC3\xA9" +
                  std::string(39, 'x') + "'\n");
}

// Catches: a '+' refused before some numbers, a double sign accepted, or a
// number too small for a float refused or given the wrong zero.
TEST(ReplayReader, EveryNumberTakesAPlusAndTinyDecimalsRoundToTheNearestFloat) {
    const ReplayRun run = replay(
        "set ball +1 Left +2.5\n"
        "set ball 1 Top -1e-46\n"
        "set ball 1 Width 7.1e-46\n"
        "set ball 1 Height 7e-46\n"
        "set ball 1 FillColor +0xFF\n"
        "set ball 1 BorderColor +16\n"
        "set vel 1 +1.5 -2\n"
        "set var p1Clicks +7\n"
        "seed +1\n"
        "tick +0\n"
        "move +5 +1e2\n"
        "set ball 2 Left +-1\n"
        "set ball 2 Left ++1\n"
        "set vel 2 + 0\n"
        "set var p2Clicks -+1\n"
        "set ball 2 Left 1e39\n"
        "dump\n");
    EXPECT_EQ(errorLines(run.err), (std::vector<int>{12, 13, 14, 15, 16})) << run.err;
    EXPECT_EQ(dumpLine(run.out, "ball 1 "),
              "ball 1 left=2.5 top=-0 width=1e-45 height=0 visible=1 fill=0x000000FF "
              "border=0x00000010 vx=1.5000 vy=-2.0000");
    EXPECT_EQ(dumpLine(run.out, "ball 2 ").rfind("ball 2 left=3960 ", 0), 0u);
    EXPECT_NE(dumpLine(run.out, "var ").find("p1Clicks=7 p2Clicks=0 "), std::string::npos);
    EXPECT_NE(dumpLine(run.out, "cue ").find(" x2=5 y2=100 "), std::string::npos);
}

// Catches: captions trimmed, or the separating blank kept.
TEST(ReplayScript, ACaptionIsTheRestOfTheLineAfterOneBlank) {
    const ReplayRun run = replay(
        "set caption lblP1BC  12 apples \n"
        "set caption lblP2BC\n"
        "set caption lblP1CC x\n"
        "dump\n");
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(dumpLine(run.out, "label lblP1BC "),
              "label lblP1BC caption=\" 12 apples \" back=0x8000000F");
    EXPECT_EQ(dumpLine(run.out, "label lblP2BC "), "label lblP2BC caption=\"\" back=0x8000000F");
    EXPECT_EQ(dumpLine(run.out, "label lblP1CC "), "label lblP1CC caption=\"x\" back=0x8000000F");
}

// Catches: velocities read through a float, or printed without four decimals
// or with the wrong sign.
TEST(ReplayScript, VelocitiesAreExactAndPrintedWithFourDecimals) {
    const ReplayRun run = replay(
        "set vel 0 -0.05 .5\n"
        "set vel 1 -922337203685477.5808 922337203685477.5807\n"
        "set vel 2 123456789.0001 -0\n"
        "dump\n");
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_NE(dumpLine(run.out, "ball 0 ").find("vx=-0.0500 vy=0.5000"), std::string::npos);
    EXPECT_NE(dumpLine(run.out, "ball 1 ").find("vx=-922337203685477.5808 vy=922337203685477.5807"),
              std::string::npos);
    EXPECT_NE(dumpLine(run.out, "ball 2 ").find("vx=123456789.0001 vy=0.0000"), std::string::npos);
    EXPECT_EQ(replay("set vel 0 922337203685477.5808 0\n").code, 1);
}

// Catches: positions printed in a form that does not read back to the same
// float, or colours not in eight upper-case digits.
TEST(ReplayScript, FloatsAndColoursArePrintedAsTheContractSays) {
    const ReplayRun run = replay(
        "set ball 3 Left 0.1\n"
        "set ball 3 Top -1000000000\n"
        "set ball 3 FillColor 0xabcdef\n"
        "set ball 3 BorderColor 255\n"
        "set ball 3 Visible 0\n"
        "dump\n");
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(dumpLine(run.out, "ball 3 "),
              "ball 3 left=0.1 top=-1e+09 width=375 height=375 visible=0 fill=0x00ABCDEF "
              "border=0x000000FF vx=0.0000 vy=0.0000");
}

// Catches: a press taking the pointer instead of the line as last drawn.
// Before any move the line is the opening one, (12240, 1800) to (11880, 4560).
TEST(ReplayScript, APressBeforeAnyMoveStrikesAlongTheOpeningLine) {
    const ReplayRun run = replay("down\ndump\n");
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_NE(dumpLine(run.out, "ball 15 ").find("vx=36.0000 vy=-276.0000"), std::string::npos);
    EXPECT_EQ(dumpLine(run.out, "cue "),
              "cue x1=12240 y1=1800 x2=11880 y2=4560 visible=0 color=0x000040C0");
}

// Catches: a tick line over the budget running part of its ticks, or the
// budget not counting the ticks of earlier lines.
TEST(ReplayScript, ATickBudgetRefusesWholeLinesThatWouldPassIt) {
    const std::string script =
        "set vel 0 100 0\n"
        "tick 3\n"
        "tick 3\n"
        "tick 2\n"
        "dump\n";
    std::istringstream in(script);
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(runReplay(in, out, err, ReplayLimits{5}), 1);
    EXPECT_EQ(err.str(), "error: line 3: tick 3 is over the 2 ticks left to this run\n");
    // Five ticks ran: the same table as a script of exactly those lines.
    const ReplayRun unlimited = replay("set vel 0 100 0\ntick 3\ntick 2\ndump\n");
    EXPECT_EQ(out.str(), unlimited.out);
}

}  // namespace
}  // namespace vorl
