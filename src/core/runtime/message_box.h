// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace vorl {

// A modal box with the text and an OK button, no icon, titled with the form's
// applicationTitle(); returns when closed.
class MessageBox {
  public:
    virtual ~MessageBox() = default;
    virtual void show(const std::string& text) = 0;
};

}  // namespace vorl
