// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/runtime/colour.h"
#include "core/runtime/controls.h"
#include "core/runtime/form_state.h"

namespace vorl {

inline constexpr float kTwipsPerPixel = 15.0f;

// A pointer position from a front-end, in logical pixels, as the form's
// handlers take it: twips, a 32-bit float.
inline float twipsFromPixels(double pixels) {
    return static_cast<float>(pixels * kTwipsPerPixel);
}

// The form's text as assistive technology reads it where the screen shows it
// in drawing only: rows of captions, the first row heading the columns, and
// the caption the form marks as the current one (empty when none is).
struct TextReadout {
    std::vector<std::vector<std::string>> rows;
    std::string current;

    friend bool operator==(const TextReadout&, const TextReadout&) = default;
};

// What a window needs from the game it shows: its look, its controls and menu
// tree, and the handlers that pointer, timer and menu events call. Events
// arrive one at a time and each handler runs to completion.
class Form {
  public:
    virtual ~Form() = default;

    virtual std::string caption() const = 0;
    // The application's title, in the title bar of the game's message boxes.
    virtual std::string applicationTitle() const = 0;
    virtual float clientWidth() const = 0;  // twips
    virtual float clientHeight() const = 0;
    virtual Colour backColour() const = 0;
    virtual std::vector<ControlRef> controlsBackToFront() const = 0;
    virtual const std::vector<MenuItem>& menuBar() const = 0;
    virtual TextReadout textReadout() const = 0;

    virtual void load() = 0;
    virtual void timer() = 0;
    // Button and Shift are bit sets (left 1, right 2, middle 4; shift 1,
    // ctrl 2, alt 4); X and Y are twips in the client area.
    virtual void mouseMove(std::int16_t button, std::int16_t shift, float x, float y) = 0;
    virtual void mouseDown(std::int16_t button, std::int16_t shift, float x, float y) = 0;
    virtual void menuClick(std::string_view name) = 0;

    // Writes into `state` everything a tick reads or writes: every control,
    // every variable and how far the random source has moved. Returns false
    // when the form cannot; then none of its ticks counts as at rest.
    virtual bool saveState(FormState& /*state*/) const { return false; }
    // Puts the form, and the random source it draws from, back as `bytes`
    // (what saveState wrote) say; true when done. A state that is damaged,
    // from another version or layout of the game, or not the whole of one is
    // refused whole: the form is left as it was and the reason goes to `why`.
    virtual bool loadState(std::string_view /*bytes*/, std::string* why) {
        if (why != nullptr) {
            *why = "this form keeps no state";
        }
        return false;
    }
};

}  // namespace vorl
