// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <optional>

#include "core/runtime/form.h"
#include "core/scene/colour_hold.h"
#include "core/scene/scene.h"

namespace vorl {

// The scene a view painted last, and whether the form would now paint
// another: a view asks for a frame only when the picture would change.
class FrameWatch {
  public:
    explicit FrameWatch(const Form& form) : form_(form) {}

    // The scene to paint now, for `devicePixelRatio` device pixels in a
    // logical pixel, remembered as the one painted. While `held` it is the
    // one painted last: its steps are in logical pixels, so it fills a
    // canvas of any size the same.
    const Scene& paint(double devicePixelRatio, bool held = false);
    // True when the form would now paint something other than the last
    // frame and no frame has been asked for since that one was painted.
    bool outOfDate();
    // The frame asked for was dropped, never painted: ask again when needed.
    void forgetRequest() { requested_ = false; }

    // Holds the colours of every frame from now on (ColourHold), for players
    // who ask for less flashing; `seconds` is a clock that never goes back.
    // An empty clock lets the colours go again.
    void holdColours(std::function<double()> seconds);
    // When colours held back from the last frame fall due, on that clock:
    // the view is out of date then, even if the form has not changed.
    std::optional<double> coloursDueAt() const;

  private:
    void build(Scene& scene);

    const Form& form_;
    Scene painted_;
    Scene current_;
    double devicePixelRatio_ = 1;
    bool requested_ = false;
    std::optional<ColourHold> colourHold_;
    std::function<double()> seconds_;
};

}  // namespace vorl
