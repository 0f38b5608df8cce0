// SPDX-License-Identifier: MIT
#pragma once

#include <QPoint>
#include <QSize>
#include <QWidget>
#include <functional>
#include <optional>

#include "core/driver/frame_watch.h"
#include "core/runtime/form.h"
#include "qt/form_fit.h"

namespace vorl {

class KeyboardAim;

// The window's client area: draws the form's controls, scaled uniformly to
// the largest size it holds and centred on the form's back colour, and hands
// pointer events to it, with positions in twips from the form's corner. It
// keeps no game state, only the scene its last frame showed (its own, or
// the tick driver's).
class FormView : public QWidget {
    Q_OBJECT

  public:
    // The view may shrink to this fraction of the form's size, no further.
    static constexpr int kSmallestScaleDivisor = 4;

    explicit FormView(Form& form, QWidget* parent = nullptr);

    // The form at 1:1, in logical pixels.
    QSize sizeHint() const override;
    // Where the form sits in the view at its present size.
    FormFit fit() const;

    // Schedules a repaint when the form's controls would now draw something
    // other than the last frame; call it whenever the form may have changed.
    void refresh();
    // Paints from, and compares with, the driver's frames from now on.
    void paintFrom(FrameWatch& frames) { frames_ = &frames; }

    // A modal box blocks the window: it hears no pointer moves until the box
    // is gone. Called when that begins and when it ends; if the pointer moved
    // meanwhile and is now over the view, the form hears of where it is.
    void pointerBlocked();
    void pointerUnblocked();

    // The arrows, Space and Enter (with Shift or alone) aim and strike
    // through `aim`, which outlives the view; without one they do nothing.
    void setKeyboardAim(KeyboardAim* aim) { keyboardAim_ = aim; }

    // From now on the table's colours change at most three times a second;
    // `seconds` is the clock that paces it (steady, never going back). A view
    // that paints the driver's frames is paced by TickTimer::reduceFlashing.
    void reduceFlashing(std::function<double()> seconds);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    Form& form_;
    QSize formSize_;
    FrameWatch ownFrames_;
    FrameWatch* frames_ = &ownFrames_;
    std::optional<QPoint> blockedAt_;
    KeyboardAim* keyboardAim_ = nullptr;
};

}  // namespace vorl
