// SPDX-License-Identifier: MIT
#include "qt/qt_program_exit.h"

#include <QApplication>
#include <QWidget>

namespace vorl {

void QtProgramExit::endProgram() {
    // Hide the windows now so that the game is gone at once, even before
    // the event loop has unwound.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        window->hide();
    }
    QCoreApplication::exit(0);
}

}  // namespace vorl
