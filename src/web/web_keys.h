// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

#include "core/game/keyboard_aim.h"
#include "core/runtime/form.h"

namespace vorl {

class Form1;

// The keyboard on the focused table: the page hands on the arrows, Space and
// Enter by name, and the game hears a pointer's move (and press) through the
// same form as the pointer's. The page says the aim in words. One per page.
class WebKeys {
  public:
    // `form` is the form the front hands the pointer to; `game` the game
    // under it, whose cue ball the aim follows.
    WebKeys(Form& form, const Form1& game);
    WebKeys(const WebKeys&) = delete;
    WebKeys& operator=(const WebKeys&) = delete;
    ~WebKeys();

    // Aims or strikes for a key named as aimKeyFromName reads it; returns the
    // aim in words, or an empty text for any other name (nothing is sent).
    const std::string& press(std::string_view name);

  private:
    KeyboardAim aim_;
    std::string said_;
};

}  // namespace vorl
