// SPDX-License-Identifier: MIT
#include "qt/qt_message_box.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QPushButton>
#include <QString>
#include <QWidget>

#include "qt/form_window.h"

namespace vorl {

void QtMessageBox::attach(FormWindow& window) {
    window_ = &window;
}

// Blocks in the box's own event loop until it is closed. The text is shown
// as it is, never read as markup.
void QtMessageBox::show(const std::string& text) {
    // The box may be shown from the middle of a tick: let the windows behind
    // it show the game as it stands now, not as of the last finished tick.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        window->update();
    }
    // The box belongs to the game's window even when another application has
    // the focus, so that it stays in front of the game and leaves with it.
    const QString title =
        window_ ? QString::fromStdString(window_->form().applicationTitle()) : QString();
    QMessageBox box(QMessageBox::NoIcon, title, QString::fromStdString(text), QMessageBox::Ok,
                    window_);
    box.setTextFormat(Qt::PlainText);
    // Desktop themes put a picture on dialog buttons; the game's OK has none.
    box.button(QMessageBox::Ok)->setIcon(QIcon());
    box.exec();
}

}  // namespace vorl
