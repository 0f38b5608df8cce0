// SPDX-License-Identifier: MIT
#include "core/game/keyboard_aim.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "core/game/form1.h"

namespace vorl {
namespace {

constexpr int kFullTurn = 360;
constexpr int kQuarterTurn = 90;
constexpr std::int16_t kShiftBit = 1;
constexpr std::int16_t kLeftButton = 1;

// A length in even twips, within the aim's range.
int evenLength(double twips) {
    const auto even = 2 * static_cast<long>(std::lround(twips / 2));
    return static_cast<int>(std::clamp<long>(even, KeyboardAim::kShortest, KeyboardAim::kLongest));
}

int wrapDegrees(int degrees) {
    return ((degrees % kFullTurn) + kFullTurn) % kFullTurn;
}

}  // namespace

std::optional<AimKeyStroke> aimKeyFromName(std::string_view name) {
    constexpr std::string_view kShift = "Shift+";
    AimKeyStroke stroke;
    if (name.starts_with(kShift)) {
        stroke.shift = kShiftBit;
        name.remove_prefix(kShift.size());
    }
    if (name == "Left") {
        stroke.key = AimKey::Left;
    } else if (name == "Right") {
        stroke.key = AimKey::Right;
    } else if (name == "Up") {
        stroke.key = AimKey::Up;
    } else if (name == "Down") {
        stroke.key = AimKey::Down;
    } else if (name == "Space" || name == "Enter") {
        stroke.key = AimKey::Strike;
    } else {
        return std::nullopt;
    }
    return stroke;
}

KeyboardAim::KeyboardAim(Form& input, const Form1& game) : input_(input), game_(game) {}

void KeyboardAim::press(AimKeyStroke stroke) {
    Aim aim = currentAim();
    const bool fine = (stroke.shift & kShiftBit) != 0;
    const int turn = fine ? kFineTurnDegrees : kTurnDegrees;
    const int step = fine ? kFineLengthStep : kLengthStep;
    switch (stroke.key) {
        case AimKey::Left:
            aim.degrees = wrapDegrees(aim.degrees - turn);
            break;
        case AimKey::Right:
            aim.degrees = wrapDegrees(aim.degrees + turn);
            break;
        case AimKey::Up:
            aim.length = std::min(aim.length + step, kLongest);
            break;
        case AimKey::Down:
            aim.length = std::max(aim.length - step, kShortest);
            break;
        case AimKey::Strike:
            break;
    }
    aim_ = aim;
    sent_ = aimPoint(aim);
    input_.mouseMove(0, stroke.shift, sent_.x, sent_.y);
    if (stroke.key == AimKey::Strike) {
        input_.mouseDown(kLeftButton, stroke.shift, sent_.x, sent_.y);
    }
}

// The aim kept from the last key, unless the pointer has moved since: then
// the cue line as the pointer left it, measured from where the ball was.
KeyboardAim::Aim KeyboardAim::currentAim() const {
    const LineControl& line = game_.lineCue;
    if (aim_ && line.X2 == sent_.x && line.Y2 == sent_.y) {
        return *aim_;
    }
    // The ball goes away from the pointer.
    const double dx = static_cast<double>(line.X1) - line.X2;
    const double dy = static_cast<double>(line.Y1) - line.Y2;
    const double length = std::sqrt(dx * dx + dy * dy);
    if (!(length >= kShortest)) {
        return aim_.value_or(Aim{0, kDefaultLength});
    }
    const double degrees = std::atan2(dx, -dy) * 180.0 / std::numbers::pi;
    return Aim{wrapDegrees(static_cast<int>(std::lround(degrees))), evenLength(length)};
}

KeyboardAim::TwipPoint KeyboardAim::cueBallCentre() const {
    const ShapeControl& cue = game_.ball[Form1::kCueBall];
    return {static_cast<float>(static_cast<double>(cue.Width) / 2.0 + cue.Left),
            static_cast<float>(static_cast<double>(cue.Height) / 2.0 + cue.Top)};
}

// The pointer's place for an aim, behind the ball. Its offset from the centre
// is rounded to whole twips, so that every target's libm gives the same
// point: sines are only taken of whole degrees from 0 to 89 (the quarter
// turns are exact swaps and signs), and for an even length no product lands
// within a millionth of a twip of a half (the exact halves, 30 and 60
// degrees, give whole twips), far more than a last-bit difference could move.
KeyboardAim::TwipPoint KeyboardAim::aimPoint(const Aim& aim) const {
    assert(aim.degrees >= 0 && aim.degrees < kFullTurn && aim.length % 2 == 0);
    const double radians = (aim.degrees % kQuarterTurn) * std::numbers::pi / 180.0;
    const double along = static_cast<double>(std::lround(aim.length * std::cos(radians)));
    const double across = static_cast<double>(std::lround(aim.length * std::sin(radians)));
    // Where the ball goes, x right and y up, for each quarter turn clockwise.
    double goX = across;
    double goY = along;
    switch (aim.degrees / kQuarterTurn) {
        case 1:
            goX = along;
            goY = -across;
            break;
        case 2:
            goX = -across;
            goY = -along;
            break;
        case 3:
            goX = -along;
            goY = across;
            break;
        default:
            break;
    }
    const TwipPoint centre = cueBallCentre();
    // The pointer lies the other way; y grows downward.
    return {static_cast<float>(centre.x - goX), static_cast<float>(centre.y + goY)};
}

std::string KeyboardAim::description() const {
    const Aim aim = currentAim();
    const int degrees = aim.degrees;
    std::string way;
    if (degrees == 0) {
        way = "straight up";
    } else if (degrees == kQuarterTurn) {
        way = "straight right";
    } else if (degrees == 2 * kQuarterTurn) {
        way = "straight down";
    } else if (degrees == 3 * kQuarterTurn) {
        way = "straight left";
    } else {
        const bool upward = degrees < kQuarterTurn || degrees > 3 * kQuarterTurn;
        const bool right = degrees < 2 * kQuarterTurn;
        const int off =
            upward ? std::min(degrees, kFullTurn - degrees) : std::abs(2 * kQuarterTurn - degrees);
        way = std::to_string(off) + "\u00B0 " + (right ? "right" : "left") + " of straight " +
              (upward ? "up" : "down");
    }
    const int percent = (aim.length * 100 + kLongest / 2) / kLongest;
    return "Aim: " + way + ", strength " + std::to_string(percent) + " %";
}

}  // namespace vorl
