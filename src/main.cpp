#include <QApplication>

#include "game/form1.h"
#include "platform/message_box.h"
#include "platform/qt/form_view.h"
#include "platform/qt/form_window.h"
#include "platform/qt/qt_message_box.h"
#include "platform/qt/qt_program_exit.h"
#include "platform/qt/tick_timer.h"
#include "platform/random_source.h"
#include "platform/serial_form.h"

#ifdef VORL_TICK_LOG
#include <chrono>
#include <cstdio>
#endif

// Puts the game in a window and lets the timer drive it.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(vorl::kApplicationTitle));

    // The game never seeds its random source; every run starts from the same state.
    vorl::SeededRandom random;
    vorl::QtMessageBox messageBox;
    vorl::QtProgramExit programExit;
    vorl::Form1 game(messageBox, random, programExit);
    vorl::SerialForm form(game);
    form.load();

    vorl::FormWindow window(form);
    window.show();

    vorl::TickTimer ticker(form);
    // An idle table costs next to nothing: the view repaints only after a tick
    // that changed what it draws.
    QObject::connect(&ticker, &vorl::TickTimer::ticked, window.view(), &vorl::FormView::refresh);
#ifdef VORL_TICK_LOG
    // Only in vorl-ticklog, the benchmark build: when each tick ended, on the
    // steady clock and the wall clock, for bench/run_in_xvfb.sh.
    QObject::connect(&ticker, &vorl::TickTimer::ticked, [] {
        using namespace std::chrono;
        std::fprintf(
            stderr, "tick %lld %lld\n",
            static_cast<long long>(
                duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count()),
            static_cast<long long>(
                duration_cast<microseconds>(system_clock::now().time_since_epoch()).count()));
    });
#endif
    ticker.start();
    return QApplication::exec();
}
