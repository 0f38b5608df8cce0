// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace vorl {

// The application's title, shown in the title bar of its message boxes.
inline constexpr const char* kApplicationTitle = "Vorl";

// A modal box with the text and an OK button, no icon; returns when closed.
class MessageBox {
  public:
    virtual ~MessageBox() = default;
    virtual void show(const std::string& text) = 0;
};

}  // namespace vorl
