// SPDX-License-Identifier: MIT
#pragma once

#include <functional>

class QObject;

namespace vorl {

// Asks whether the desktop wants applications to show less motion: GNOME's
// enable-animations turned off, read with gsettings where it is installed
// (Qt itself tells nothing of it). The answer comes later, from the event
// loop, so that start-up never waits for it: `lessMotion` runs then if the
// desktop does. Nothing runs when there is no way to tell.
void askDesktopForLessMotion(QObject* parent, std::function<void()> lessMotion);

}  // namespace vorl
