// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/runtime/form.h"

namespace vorl {

class Form1;

// The keys that aim and strike without a pointer.
enum class AimKey : std::uint8_t { Left, Right, Up, Down, Strike };

// A key with the modifier bits held with it (as the form counts them: shift 1,
// ctrl 2, alt 4).
struct AimKeyStroke {
    AimKey key = AimKey::Strike;
    std::int16_t shift = 0;
};

// "Left", "Right", "Up", "Down", "Space" or "Enter", optionally after
// "Shift+"; empty for any other name.
std::optional<AimKeyStroke> aimKeyFromName(std::string_view name);

// Aims and strikes from the keyboard by sending the form what a mouse would:
// a move to the aim point, and for a stroke a press there. The aim is a
// direction and a length around the cue ball's centre, so it follows the
// ball from stroke to stroke; it starts from the cue line as the pointer (or
// the table) last left it. Nothing is sent but in answer to a key.
class KeyboardAim {
  public:
    // Degrees the aim turns for an arrow key, alone and with Shift.
    static constexpr int kTurnDegrees = 5;
    static constexpr int kFineTurnDegrees = 1;
    // The longest aim, in twips: full strength, a stroke of 720 twips a tick.
    // Up and Down change it by a twentieth, or with Shift a hundredth, of it.
    static constexpr int kLongest = 7200;
    static constexpr int kLengthStep = kLongest / 20;
    static constexpr int kFineLengthStep = kLongest / 100;
    static constexpr int kShortest = kFineLengthStep;
    // Before any aim is known: straight up the table at a third of full strength.
    static constexpr int kDefaultLength = kLongest * 3 / 10;

    // Reads the cue ball and cue line from `game`; sends moves and presses to
    // `input`, which is `game` or a decorator of it.
    KeyboardAim(Form& input, const Form1& game);

    // Turns, lengthens or shortens the aim and moves the pointer to it, or
    // strikes at it (a move there, then a press, as a mouse would).
    void press(AimKeyStroke stroke);

    // The aim in words: which way the cue ball would go, in whole degrees
    // from straight up or down, and the stroke's strength in percent.
    std::string description() const;

  private:
    struct Aim {
        int degrees;  // where the cue ball would go, clockwise from straight up, 0 to 359
        int length;   // from the ball's centre to the pointer, twips, even
    };
    struct TwipPoint {
        float x;
        float y;
    };

    Aim currentAim() const;
    TwipPoint cueBallCentre() const;
    TwipPoint aimPoint(const Aim& aim) const;

    Form& input_;
    const Form1& game_;
    std::optional<Aim> aim_;
    // Where the last move sent the pointer: if the cue line ends elsewhere,
    // the pointer has moved since, and the aim is taken from it again.
    TwipPoint sent_{};
};

}  // namespace vorl
