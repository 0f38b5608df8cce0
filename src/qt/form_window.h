// SPDX-License-Identifier: MIT
#pragma once

#include <QMainWindow>
#include <vector>

#include "core/runtime/form.h"

class QMenu;
class QScreen;

namespace vorl {

class FormView;
class MenuLetterKeys;

// The top-level window: the form's caption, its menu tree as a menu bar and
// its client area, which the user may resize or maximise.
class FormWindow : public QMainWindow {
    Q_OBJECT

  public:
    explicit FormWindow(Form& form, QWidget* parent = nullptr);

    // Sizes the window, before it is shown, for the screen's available area
    // and centres it there: the form at 1:1 where the whole window fits, its
    // frame and menu bar included, and at the largest uniform scale that fits
    // otherwise. Where the frame is known only once the window is shown, the
    // style's title bar stands in for it until then, and the window is fitted
    // again if the real frame leaves it running off the area.
    void openOn(const QScreen& screen);

    FormView* view() const { return view_; }
    Form& form() const { return form_; }

  protected:
    bool event(QEvent* event) override;

  private:
    void addMenuItems(QMenu* menu, const std::vector<MenuItem>& items);
    void fitInto(const QRect& available, const QMargins& frame);
    void refitToRealFrame();

    Form& form_;
    FormView* view_;
    MenuLetterKeys* letterKeys_;
    QRect openedIn_;  // the available area it was opened in, until its real frame is known
};

}  // namespace vorl
