#include <QApplication>

#include "game/form1.h"
#include "platform/message_box.h"
#include "platform/qt/form_view.h"
#include "platform/qt/form_window.h"
#include "platform/qt/qt_message_box.h"
#include "platform/qt/tick_timer.h"
#include "platform/random_source.h"

// Puts the game in a window and lets the timer drive it.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(vorl::kApplicationTitle));

    vorl::SeededRandom random;
    vorl::QtMessageBox messageBox;
    vorl::Form1 form(messageBox, random);
    form.load();

    vorl::FormWindow window(form);
    window.show();

    vorl::TickTimer ticker(form);
    QObject::connect(&ticker, &vorl::TickTimer::ticked, window.view(),
                     qOverload<>(&QWidget::update));
    ticker.start();
    return QApplication::exec();
}
