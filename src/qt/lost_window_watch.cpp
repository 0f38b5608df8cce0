// SPDX-License-Identifier: MIT
#include "qt/lost_window_watch.h"

#include <xcb/xcb.h>

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWindow>

namespace vorl {
namespace {

QWidget* topLevelWithWindow(unsigned window) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        // Only a window Qt has created has an id; asking another would create it.
        const QWindow* handle = widget->windowHandle();
        if (handle != nullptr && handle->handle() != nullptr && handle->winId() == window) {
            return widget;
        }
    }
    return nullptr;
}

}  // namespace

LostWindowWatch::LostWindowWatch(QWidget& mainWindow, ProgramExit& programExit)
    : mainWindow_(&mainWindow), programExit_(programExit) {
    QCoreApplication::instance()->installNativeEventFilter(this);
}

LostWindowWatch::~LostWindowWatch() {
    QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool LostWindowWatch::nativeEventFilter(const QByteArray& eventType, void* message,
                                        qintptr* /*result*/) {
    if (eventType != "xcb_generic_event_t") {
        return false;
    }
    // Qt goes on to unmap and destroy a lost window when it is done with it;
    // the server's BadWindow errors for that are only logged at debug level.
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) == XCB_DESTROY_NOTIFY) {
        const auto* destroyed = static_cast<const xcb_destroy_notify_event_t*>(message);
        windowLost(destroyed->window);
    }
    return false;
}

void LostWindowWatch::windowLost(unsigned window) {
    QWidget* widget = topLevelWithWindow(window);
    if (widget == nullptr) {
        return;  // one that Qt destroyed itself, or not a top-level
    }
    // Acts once Qt has finished with the event, from the event loop that is
    // running now: a box's own, while one is open.
    QTimer::singleShot(0, widget, [this, widget] {
        if (widget == mainWindow_) {
            programExit_.endProgram();
        } else if (auto* dialog = qobject_cast<QDialog*>(widget)) {
            dialog->accept();
        } else {
            widget->hide();
        }
    });
}

}  // namespace vorl
