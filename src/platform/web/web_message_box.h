// SPDX-License-Identifier: MIT
#pragma once

#include "platform/message_box.h"

namespace vorl {

// The page's modal <dialog>, titled with the application's title. A page
// cannot wait for it, so show() returns at once; but the page first paints
// the game as it stands and, until the box is closed, paints nothing more,
// runs no tick and passes on no input. To the game the box is modal as on
// the desktop: nothing happens between its opening and its closing.
class WebMessageBox final : public MessageBox {
  public:
    void show(const std::string& text) override;
};

}  // namespace vorl
