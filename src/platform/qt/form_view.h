#pragma once

#include <QWidget>

#include "platform/form.h"

namespace vorl {

// The window's client area: draws the form's controls and hands pointer
// events to it, with positions in twips. It keeps no state of its own.
class FormView : public QWidget {
    Q_OBJECT

  public:
    explicit FormView(Form& form, QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    Form& form_;
};

}  // namespace vorl
