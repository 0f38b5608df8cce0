// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "platform/message_box.h"

namespace vorl {

// The game's message box as a modal QMessageBox over the active window.
class QtMessageBox final : public MessageBox {
  public:
    void show(const std::string& text) override;
};

}  // namespace vorl
