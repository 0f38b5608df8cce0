// SPDX-License-Identifier: MIT
#include "core/driver/frame_watch.h"

namespace vorl {

const Scene& FrameWatch::paint(double devicePixelRatio, bool held) {
    requested_ = false;
    devicePixelRatio_ = devicePixelRatio;
    if (!held) {
        painted_.build(form_, devicePixelRatio);
    }
    return painted_;
}

// Built at the ratio of the last frame: a new ratio comes with a repaint of its own.
bool FrameWatch::outOfDate() {
    if (requested_) {
        return false;
    }
    current_.build(form_, devicePixelRatio_);
    requested_ = !current_.looksLike(painted_);
    return requested_;
}

}  // namespace vorl
