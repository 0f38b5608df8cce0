#include "platform/qt/qt_message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

namespace vorl {

// Blocks in the box's own event loop until it is closed. The text is shown
// as it is, never read as markup.
void QtMessageBox::show(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kApplicationTitle),
                    QString::fromStdString(text), QMessageBox::Ok, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace vorl
