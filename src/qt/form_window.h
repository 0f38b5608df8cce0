// SPDX-License-Identifier: MIT
#pragma once

#include <QMainWindow>
#include <vector>

#include "core/runtime/form.h"

class QMenu;

namespace vorl {

class FormView;
class MenuLetterKeys;

// The top-level window: the form's caption, its menu tree as a menu bar and
// its client area, at a fixed size.
class FormWindow : public QMainWindow {
    Q_OBJECT

  public:
    explicit FormWindow(Form& form, QWidget* parent = nullptr);

    FormView* view() const { return view_; }
    Form& form() const { return form_; }

  protected:
    bool event(QEvent* event) override;

  private:
    void addMenuItems(QMenu* menu, const std::vector<MenuItem>& items);

    Form& form_;
    FormView* view_;
    MenuLetterKeys* letterKeys_;
};

}  // namespace vorl
