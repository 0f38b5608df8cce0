// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QPointer>
#include <QWidget>

#include "core/runtime/program_exit.h"

namespace vorl {

// On X any client may destroy another's windows, and with no window manager
// nothing stands in the way; Qt takes no notice and would go on drawing into,
// and waiting on, windows that are gone. This watch hears of it: the game's
// own window gone ends the program as if it had been closed; a box's window
// gone counts as the box closed with OK, and the game goes on. It watches
// from construction to destruction and does nothing off X.
class LostWindowWatch final : public QAbstractNativeEventFilter {
  public:
    LostWindowWatch(QWidget& mainWindow, ProgramExit& programExit);
    LostWindowWatch(const LostWindowWatch&) = delete;
    LostWindowWatch& operator=(const LostWindowWatch&) = delete;
    ~LostWindowWatch() override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

  private:
    void windowLost(unsigned window);

    QPointer<QWidget> mainWindow_;
    ProgramExit& programExit_;
};

}  // namespace vorl
