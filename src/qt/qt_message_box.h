// SPDX-License-Identifier: MIT
#pragma once

#include <QPointer>
#include <string>

#include "core/runtime/message_box.h"

namespace vorl {

class FormWindow;

// The game's message box as a modal QMessageBox owned by the game's window,
// whichever window has the focus, and titled as its form says.
class QtMessageBox final : public MessageBox {
  public:
    // The window to show the boxes over; until it is given they have no
    // owner and no title.
    void attach(FormWindow& window);

    void show(const std::string& text) override;

  private:
    QPointer<FormWindow> window_;
};

}  // namespace vorl
