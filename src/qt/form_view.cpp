// SPDX-License-Identifier: MIT
#include "qt/form_view.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <cstdint>
#include <utility>

#include "qt/colour_resolver.h"
#include "qt/scene_painter.h"

namespace vorl {
namespace {

// Buttons as the form counts them: left 1, right 2, middle 4.
std::int16_t buttonBits(Qt::MouseButtons buttons) {
    return static_cast<std::int16_t>((buttons & Qt::LeftButton ? 1 : 0) |
                                     (buttons & Qt::RightButton ? 2 : 0) |
                                     (buttons & Qt::MiddleButton ? 4 : 0));
}

// Modifier keys as the form counts them: shift 1, ctrl 2, alt 4.
std::int16_t shiftBits(Qt::KeyboardModifiers modifiers) {
    return static_cast<std::int16_t>((modifiers & Qt::ShiftModifier ? 1 : 0) |
                                     (modifiers & Qt::ControlModifier ? 2 : 0) |
                                     (modifiers & Qt::AltModifier ? 4 : 0));
}

}  // namespace

FormView::FormView(Form& form, QWidget* parent) : QWidget(parent), form_(form) {
    setFixedSize(qRound(form.clientWidth() / kTwipsPerPixel),
                 qRound(form.clientHeight() / kTwipsPerPixel));
    setMouseTracking(true);
}

void FormView::refresh() {
    current_.build(form_, devicePixelRatioF());
    if (!current_.looksLike(painted_)) {
        update();
    }
}

void FormView::paintEvent(QPaintEvent* /*event*/) {
    painted_.build(form_, devicePixelRatioF());
    QPainter painter(this);
    const ColourResolver colours(palette());
    ScenePainter(painter, colours).paint(painted_);
}

// Every move reaches the form, with the buttons held, whether or not any is.
void FormView::mouseMoveEvent(QMouseEvent* event) {
    form_.mouseMove(buttonBits(event->buttons()), shiftBits(event->modifiers()),
                    twipsFromPixels(event->position().x()), twipsFromPixels(event->position().y()));
    refresh();
}

void FormView::pointerBlocked() {
    blockedAt_ = QCursor::pos();
}

void FormView::pointerUnblocked() {
    const std::optional<QPoint> before = std::exchange(blockedAt_, std::nullopt);
    const QPoint now = QCursor::pos();
    const QPoint local = mapFromGlobal(now);
    if (!before || *before == now || !isVisible() || !rect().contains(local)) {
        return;
    }
    form_.mouseMove(buttonBits(QGuiApplication::mouseButtons()),
                    shiftBits(QGuiApplication::keyboardModifiers()), twipsFromPixels(local.x()),
                    twipsFromPixels(local.y()));
    refresh();
}

// Any button presses; the form hears which one. A double click's second press
// arrives here too.
void FormView::mousePressEvent(QMouseEvent* event) {
    form_.mouseDown(buttonBits(event->button()), shiftBits(event->modifiers()),
                    twipsFromPixels(event->position().x()), twipsFromPixels(event->position().y()));
    refresh();
}

}  // namespace vorl
