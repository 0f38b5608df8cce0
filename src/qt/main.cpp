// SPDX-License-Identifier: MIT
#include <QApplication>
#include <cstdio>
#include <string>

#include "core/game/form1.h"
#include "core/game/keyboard_aim.h"
#include "core/runtime/random_source.h"
#include "qt/command_line.h"
#include "qt/desktop_motion.h"
#include "qt/form_view.h"
#include "qt/form_window.h"
#include "qt/lost_window_watch.h"
#include "qt/qt_message_box.h"
#include "qt/qt_program_exit.h"
#include "qt/start_up_guard.h"
#include "qt/tick_timer.h"

#ifdef VORL_TICK_LOG
#include <chrono>
#endif

namespace {

constexpr int kUsageError = 2;

int refuse(const char* program, const std::string& argument) {
    std::fprintf(stderr, "%s: unknown option '%s'\n%s", program, argument.c_str(),
                 vorl::usageText(program).c_str());
    return kUsageError;
}

}  // namespace

// Puts the game in a window and lets the timer drive it.
int main(int argc, char* argv[]) {
    const char* program = argc > 0 ? argv[0] : "vorl";
    const vorl::CommandLine line = vorl::readCommandLine(argc, argv);
    switch (line.action) {
        case vorl::CommandLine::Action::Help:
            std::fputs(vorl::usageText(program).c_str(), stdout);
            return 0;
        case vorl::CommandLine::Action::Version:
            std::fputs(vorl::versionText(VORL_VERSION).c_str(), stdout);
            return 0;
        case vorl::CommandLine::Action::Unknown:
            return refuse(program, line.offending);
        case vorl::CommandLine::Action::Play:
            break;
    }

    vorl::StartUpGuard guard;
    QApplication app(argc, argv);
    guard.release();
    // Qt has taken its own options out; whatever is left is not ours either.
    if (const QStringList rest = QApplication::arguments(); rest.size() > 1) {
        return refuse(program, rest[1].toStdString());
    }
    QApplication::setApplicationVersion(QStringLiteral(VORL_VERSION));
    // Ties the window to its menu entry, whose icon the desktop shows for it.
    QGuiApplication::setDesktopFileName(QStringLiteral(VORL_APP_ID));

    // The game never seeds its random source; every run starts from the same state.
    vorl::SeededRandom random;
    vorl::QtMessageBox messageBox;
    vorl::QtProgramExit programExit;
    vorl::Form1 game(messageBox, random, programExit);
    QApplication::setApplicationName(QString::fromStdString(game.applicationTitle()));
    // The timer stops while a tick would change nothing; the window's input
    // (pointer, menus, a box closing) starts it again.
    vorl::TickTimer ticker(game);
    vorl::Form& form = ticker.form();
    form.load();
    vorl::KeyboardAim keyboardAim(form, game);
    vorl::FormWindow window(form);
    window.view()->setKeyboardAim(&keyboardAim);
    messageBox.attach(window);
    vorl::LostWindowWatch lostWindows(window, programExit);
    window.openOn(*window.screen());
    window.show();

    // An idle table costs next to nothing: the view repaints only after a tick
    // that changed what it draws.
    ticker.drawIn(*window.view());
    if (line.reduceFlashing) {
        ticker.reduceFlashing();
    } else {
        vorl::askDesktopForLessMotion(&ticker, [&ticker] { ticker.reduceFlashing(); });
    }
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
