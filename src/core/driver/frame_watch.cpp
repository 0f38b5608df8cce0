// SPDX-License-Identifier: MIT
#include "core/driver/frame_watch.h"

#include <utility>

namespace vorl {

void FrameWatch::build(Scene& scene) {
    scene.build(form_, devicePixelRatio_);
    if (colourHold_) {
        colourHold_->apply(scene, seconds_());
    }
}

void FrameWatch::holdColours(std::function<double()> seconds) {
    seconds_ = std::move(seconds);
    if (seconds_) {
        colourHold_.emplace();
    } else {
        colourHold_.reset();
    }
}

std::optional<double> FrameWatch::coloursDueAt() const {
    return colourHold_ ? colourHold_->dueAt() : std::nullopt;
}

const Scene& FrameWatch::paint(double devicePixelRatio, bool held) {
    requested_ = false;
    devicePixelRatio_ = devicePixelRatio;
    if (!held) {
        build(painted_);
    }
    return painted_;
}

// Built at the ratio of the last frame: a new ratio comes with a repaint of its own.
bool FrameWatch::outOfDate() {
    if (requested_) {
        return false;
    }
    build(current_);
    requested_ = !current_.looksLike(painted_);
    return requested_;
}

}  // namespace vorl
