// SPDX-License-Identifier: MIT
#pragma once

#include "core/scene/scene.h"

namespace vorl {

// Paints a scene on the page's canvas through the Canvas 2D API, scaled to
// the canvas's backing store, which the page keeps at the canvas's size in
// device pixels (the scene's device pixel ratio), so edges are sharp at any
// size on any screen.
void paintScene(const Scene& scene);

}  // namespace vorl
