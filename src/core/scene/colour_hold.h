// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <vector>

#include "core/runtime/colour.h"
#include "core/scene/primitive.h"

namespace vorl {

class Scene;

// Holds a scene's colours for a while, for players who ask for less flashing:
// the colours shown change at most once every kShortestSeconds, and then to
// the newest ones; positions, sizes and texts are never held. It changes only
// what is painted, never the game.
class ColourHold {
  public:
    // Three changes a second at most: slow enough not to flash.
    static constexpr double kShortestSeconds = 1.0 / 3.0;

    // Gives `scene` the colours last shown, unless they are older than
    // kShortestSeconds or the scene holds other primitives than theirs: then
    // the scene keeps its own colours, and they are the ones shown from now
    // on. `seconds` is any clock that never goes back.
    void apply(Scene& scene, double seconds);

    // When a scene applied now would show newer colours than the last one
    // did: paint again then, even if nothing else changes. Empty when the
    // last scene showed its own colours.
    std::optional<double> dueAt() const;

  private:
    struct Sample {
        PrimitiveKind kind;
        Colour pen;
        Colour fill;
        friend bool operator==(const Sample&, const Sample&) = default;
    };

    std::vector<Sample> shown_;
    std::vector<Sample> newest_;  // kept only to spare an allocation a frame
    std::optional<double> shownAt_;
    bool holding_ = false;
};

}  // namespace vorl
