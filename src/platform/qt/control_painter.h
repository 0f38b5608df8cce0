#pragma once

#include <QFont>
#include <QPainter>
#include <vector>

#include "platform/controls.h"
#include "platform/qt/colour_resolver.h"

namespace vorl {

// Draws the game's controls with a QPainter whose units are logical pixels.
// Twips become pixels at kTwipsPerPixel without rounding, so shapes land on
// sub-pixel positions; edges are antialiased.
class ControlPainter {
  public:
    // Labels without a font of their own use the painter's font as it is now.
    ControlPainter(QPainter& painter, const ColourResolver& colours);

    // Draws the controls in the order given, each over the ones before it;
    // hidden controls are skipped.
    void drawBackToFront(const std::vector<ControlRef>& controls);

  private:
    void draw(const ShapeControl& shape);
    void draw(const LineControl& line);
    void draw(const LabelControl& label);
    void draw(const PictureControl& picture);

    QPainter& painter_;
    const ColourResolver& colours_;
    QFont defaultFont_;
};

}  // namespace vorl
