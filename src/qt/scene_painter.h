// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QPainter>

#include "core/scene/scene.h"
#include "qt/colour_resolver.h"

namespace vorl {

// Paints a scene's primitives, in order, with a QPainter whose units are
// logical pixels; edges are antialiased. It works out no geometry of its own.
class ScenePainter {
  public:
    // Texts without a font of their own use the painter's font as it is now.
    ScenePainter(QPainter& painter, const ColourResolver& colours);

    void paint(const Scene& scene);

  private:
    void paint(const Primitive& primitive);
    void paintText(const Primitive& text);

    QPainter& painter_;
    const ColourResolver& colours_;
    QFont defaultFont_;
};

}  // namespace vorl
