// SPDX-License-Identifier: MIT
#pragma once

#include "core/runtime/form.h"
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

  private:
    const Form& form_;
    Scene painted_;
    Scene current_;
    double devicePixelRatio_ = 1;
    bool requested_ = false;
};

}  // namespace vorl
