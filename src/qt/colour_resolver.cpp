// SPDX-License-Identifier: MIT
#include "qt/colour_resolver.h"

namespace vorl {
namespace {

// The palette role that stands in for each system colour the game uses;
// any other index takes the window's face colour.
QPalette::ColorRole roleFor(int systemIndex) {
    switch (systemIndex) {
        case systemColourIndex(COLOR_MENU):
            return QPalette::Window;
        case systemColourIndex(COLOR_WINDOW):
            return QPalette::Base;
        case systemColourIndex(COLOR_WINDOWTEXT):
            return QPalette::WindowText;
        case systemColourIndex(COLOR_BTNFACE):
            return QPalette::Button;
        case systemColourIndex(COLOR_BTNTEXT):
            return QPalette::ButtonText;
        default:
            return QPalette::Window;
    }
}

}  // namespace

QColor ColourResolver::resolve(Colour colour) const {
    if (isSystemColour(colour)) {
        return palette_.color(QPalette::Active, roleFor(systemColourIndex(colour)));
    }
    return QColor(static_cast<int>(colour & 0xFFu), static_cast<int>((colour >> 8) & 0xFFu),
                  static_cast<int>((colour >> 16) & 0xFFu));
}

}  // namespace vorl
