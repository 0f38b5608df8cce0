// SPDX-License-Identifier: MIT
#include "qt/start_up_guard.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace vorl {
namespace {

struct HeldMessage {
    QtMsgType type;
    QString text;
};

QtMessageHandler previousHandler = nullptr;
bool watching = false;
std::vector<HeldMessage> held;

void holdOrFail(QtMsgType type, const QMessageLogContext& /*context*/, const QString& text) {
    if (type != QtFatalMsg) {
        held.push_back({type, text});
        return;
    }
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if ((display == nullptr || *display == '\0') && (wayland == nullptr || *wayland == '\0')) {
        std::fputs("vorl: cannot open a display (neither DISPLAY nor WAYLAND_DISPLAY is set)\n",
                   stderr);
    } else {
        std::fputs("vorl: cannot open a display\n", stderr);
    }
    // Nothing has been built that needs tearing down.
    std::_Exit(1);
}

}  // namespace

StartUpGuard::StartUpGuard() {
    watching = true;
    previousHandler = qInstallMessageHandler(holdOrFail);
}

void StartUpGuard::release() {
    if (!watching) {
        return;
    }
    watching = false;
    qInstallMessageHandler(previousHandler);
    const std::vector<HeldMessage> messages = std::exchange(held, {});
    const QMessageLogContext context;
    for (const HeldMessage& m : messages) {
        qt_message_output(m.type, context, m.text);
    }
}

StartUpGuard::~StartUpGuard() {
    release();
}

}  // namespace vorl
