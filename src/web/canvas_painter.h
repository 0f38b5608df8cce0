// SPDX-License-Identifier: MIT
#pragma once

#include "core/scene/scene.h"

namespace vorl {

// Paints a scene on the page's canvas through the Canvas 2D API, at the
// scene's device pixel ratio: the canvas's backing store has that many device
// pixels to a logical one, so edges are sharp on any screen.
void paintScene(const Scene& scene);

}  // namespace vorl
