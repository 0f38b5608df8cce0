// SPDX-License-Identifier: MIT
#pragma once

namespace vorl {

// True when the desktop asks applications for less motion: GNOME's
// enable-animations turned off, read with gsettings where it is installed.
// Qt itself tells nothing of it. False when there is no way to tell.
bool desktopAsksForLessMotion();

}  // namespace vorl
