// SPDX-License-Identifier: MIT
#include "core/scene/colour_hold.h"

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <span>

#include "core/scene/scene.h"

namespace vorl {

void ColourHold::apply(Scene& scene, double seconds) {
    newest_.clear();
    for (const Primitive& p : scene.primitives()) {
        newest_.push_back({p.kind, p.pen.colour, p.fill.colour});
    }
    holding_ = false;
    if (newest_ == shown_) {
        return;
    }
    const auto sameKind = [](const Sample& a, const Sample& b) { return a.kind == b.kind; };
    const bool sameShapes = newest_.size() == shown_.size() &&
                            std::equal(newest_.begin(), newest_.end(), shown_.begin(), sameKind);
    // Compared as dueAt() computes it, so that a frame painted when due is on time.
    if (!sameShapes || !shownAt_ || seconds >= *shownAt_ + kShortestSeconds) {
        shown_.swap(newest_);
        shownAt_ = seconds;
        return;
    }
    const std::span<Primitive> primitives = scene.mutablePrimitives();
    assert(primitives.size() == shown_.size());
    for (std::size_t i = 0; i < shown_.size(); ++i) {
        primitives[i].pen.colour = shown_[i].pen;
        primitives[i].fill.colour = shown_[i].fill;
    }
    holding_ = true;
}

std::optional<double> ColourHold::dueAt() const {
    if (!holding_) {
        return std::nullopt;
    }
    return *shownAt_ + kShortestSeconds;
}

}  // namespace vorl
