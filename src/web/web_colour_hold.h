// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <optional>

#include "core/scene/colour_hold.h"
#include "core/scene/scene.h"

namespace vorl {

// Less flashing in the page, while the player's system asks for less motion
// (the page says when: vorl_reduce_flashing): every scene the front compares
// or paints passes through a ColourHold on the page's clock, and a held
// change is shown once it falls due, even if nothing else changes then.
// Otherwise scenes pass unchanged. One per page.
class WebColourHold {
  public:
    // `due` builds and compares the scene again (the front's refresh).
    explicit WebColourHold(std::function<void()> due);
    WebColourHold(const WebColourHold&) = delete;
    WebColourHold& operator=(const WebColourHold&) = delete;
    ~WebColourHold();

    // Turning it off shows the newest colours at once.
    void setOn(bool on);
    // Gives `scene` the colours to show now.
    void apply(Scene& scene);

  private:
    static void onDue(void* hold);
    void stopTimer();

    std::function<void()> due_;
    std::optional<ColourHold> hold_;
    long timer_ = 0;
};

}  // namespace vorl
