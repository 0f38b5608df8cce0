// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

namespace vorl {

// Gives menu items without a marked access key the desktop's usual one: the
// first letter of the caption. A letter that matches one such item chooses
// it (opening a submenu, or running the command); one that matches several
// moves the highlight to the next of them. Marked access keys ("&Cyan") keep
// priority and are left to Qt.
class MenuLetterKeys : public QObject {
    Q_OBJECT

  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace vorl
