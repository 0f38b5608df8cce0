// SPDX-License-Identifier: MIT
#include "platform/qt/qt_message_box.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QPushButton>
#include <QString>
#include <QWidget>

namespace vorl {

// Blocks in the box's own event loop until it is closed. The text is shown
// as it is, never read as markup.
void QtMessageBox::show(const std::string& text) {
    // The box may be shown from the middle of a tick: let the windows behind
    // it show the game as it stands now, not as of the last finished tick.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        window->update();
    }
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kApplicationTitle),
                    QString::fromStdString(text), QMessageBox::Ok, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    // Desktop themes put a picture on dialog buttons; the game's OK has none.
    box.button(QMessageBox::Ok)->setIcon(QIcon());
    box.exec();
}

}  // namespace vorl
