// SPDX-License-Identifier: MIT
#pragma once

#include "core/runtime/form.h"
#include "core/runtime/message_box.h"

namespace vorl {

// The page's modal <dialog>, titled as the form says. A page cannot wait
// for it, so show() returns at once; but the page first paints the game as
// it stands and, until the box is closed, paints nothing newer (a resize
// paints that frame again), runs no tick and passes on no input. To the
// game the box is modal as on the desktop: nothing happens between its
// opening and its closing.
class WebMessageBox final : public MessageBox {
  public:
    // The form whose title the boxes carry; until it is given they have none.
    void attach(const Form& form) { form_ = &form; }

    void show(const std::string& text) override;

  private:
    const Form* form_ = nullptr;
};

}  // namespace vorl
