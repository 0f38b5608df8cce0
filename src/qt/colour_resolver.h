// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QPalette>

#include "core/runtime/colour.h"

namespace vorl {

// Turns a stored colour into a QColor: a plain 0x00BBGGRR value as it is, a
// system colour from the roles of the palette it was given.
class ColourResolver {
  public:
    explicit ColourResolver(const QPalette& palette) : palette_(palette) {}

    QColor resolve(Colour colour) const;

  private:
    QPalette palette_;
};

}  // namespace vorl
