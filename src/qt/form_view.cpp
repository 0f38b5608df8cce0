// SPDX-License-Identifier: MIT
#include "qt/form_view.h"

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <cstdint>
#include <utility>

#include "core/game/keyboard_aim.h"
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

// The key that aims or strikes, if this is one.
std::optional<AimKey> aimKey(int key) {
    switch (key) {
        case Qt::Key_Left:
            return AimKey::Left;
        case Qt::Key_Right:
            return AimKey::Right;
        case Qt::Key_Up:
            return AimKey::Up;
        case Qt::Key_Down:
            return AimKey::Down;
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return AimKey::Strike;
        default:
            return std::nullopt;
    }
}

}  // namespace

FormView::FormView(Form& form, QWidget* parent)
    : QWidget(parent),
      form_(form),
      formSize_(qRound(form.clientWidth() / kTwipsPerPixel),
                qRound(form.clientHeight() / kTwipsPerPixel)),
      ownFrames_(form) {
    resize(formSize_);
    setMinimumSize(formSize_ / kSmallestScaleDivisor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMouseTracking(true);
    // The table takes the keys from the start: the keyboard plays as well.
    setFocusPolicy(Qt::StrongFocus);
    setFocus();
}

QSize FormView::sizeHint() const {
    return formSize_;
}

FormFit FormView::fit() const {
    return FormFit(formSize_, size().expandedTo(QSize(1, 1)));
}

void FormView::refresh() {
    if (frames_->outOfDate()) {
        update();
    }
}

// The view in the form's back colour, then the form scaled and centred in it,
// painted in the form's logical pixels and cut off at its edges (the picture
// that lies beyond them stays unseen, as at 1:1).
void FormView::paintEvent(QPaintEvent* /*event*/) {
    const FormFit fitted = fit();
    // Built for the device pixels a logical pixel of the form covers, so a
    // change counts when it moves by a share of those.
    const Scene& scene = frames_->paint(devicePixelRatioF() * fitted.scale());
    QPainter painter(this);
    const ColourResolver colours(palette());
    painter.fillRect(rect(), colours.resolve(form_.backColour()));
    painter.translate(fitted.origin());
    painter.scale(fitted.scale(), fitted.scale());
    painter.setClipRect(QRectF(QPointF(0, 0), QSizeF(formSize_)));
    ScenePainter(painter, colours).paint(scene);
}

// Every move reaches the form, with the buttons held, whether or not any is.
void FormView::mouseMoveEvent(QMouseEvent* event) {
    const FormFit fitted = fit();
    form_.mouseMove(buttonBits(event->buttons()), shiftBits(event->modifiers()),
                    fitted.twipsX(event->position().x()), fitted.twipsY(event->position().y()));
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
    const FormFit fitted = fit();
    form_.mouseMove(buttonBits(QGuiApplication::mouseButtons()),
                    shiftBits(QGuiApplication::keyboardModifiers()), fitted.twipsX(local.x()),
                    fitted.twipsY(local.y()));
    refresh();
}

// Any button presses; the form hears which one. A double click's second press
// arrives here too.
void FormView::mousePressEvent(QMouseEvent* event) {
    const FormFit fitted = fit();
    form_.mouseDown(buttonBits(event->button()), shiftBits(event->modifiers()),
                    fitted.twipsX(event->position().x()), fitted.twipsY(event->position().y()));
    refresh();
}

// Keys with Ctrl or Alt are left to the menus; Shift makes a step finer.
void FormView::keyPressEvent(QKeyEvent* event) {
    const std::optional<AimKey> key = aimKey(event->key());
    const Qt::KeyboardModifiers others =
        event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (keyboardAim_ == nullptr || !key || others != Qt::KeyboardModifiers()) {
        QWidget::keyPressEvent(event);
        return;
    }
    keyboardAim_->press({*key, shiftBits(event->modifiers())});
    setAccessibleDescription(QString::fromStdString(keyboardAim_->description()));
    refresh();
}

void FormView::reduceFlashing(std::function<double()> seconds) {
    frames_->holdColours(std::move(seconds));
}

}  // namespace vorl
