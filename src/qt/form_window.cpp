// SPDX-License-Identifier: MIT
#include "qt/form_window.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QString>
#include <QStyle>
#include <QWindow>
#include <cmath>
#include <string>
#include <utility>

#include "qt/form_fit.h"
#include "qt/form_view.h"
#include "qt/menu_letter_keys.h"

namespace vorl {

FormWindow::FormWindow(Form& form, QWidget* parent)
    : QMainWindow(parent),
      form_(form),
      view_(new FormView(form, this)),
      letterKeys_(new MenuLetterKeys(this)) {
    setWindowTitle(QString::fromStdString(form.caption()));
    setCentralWidget(view_);
    for (const MenuItem& item : form.menuBar()) {
        QMenu* menu = menuBar()->addMenu(QString::fromStdString(item.Caption));
        menu->setObjectName(QString::fromStdString(item.Name));
        menu->installEventFilter(letterKeys_);
        addMenuItems(menu, item.Items);
    }
    resize(sizeHint());  // the form at 1:1 until openOn fits it to a screen
}

void FormWindow::openOn(const QScreen& screen) {
    QMargins frame;
    if (const QWindow* handle = windowHandle()) {
        frame = handle->frameMargins();
    }
    if (frame.isNull()) {
        frame.setTop(style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this));
    }
    openedIn_ = screen.availableGeometry();
    fitInto(openedIn_, frame);
}

void FormWindow::fitInto(const QRect& available, const QMargins& frame) {
    const int menu = menuBar()->sizeHint().height();
    // The frame comes in whole logical pixels: at a fractional pixel ratio
    // each side of it may be short of the real one by a pixel.
    const qreal ratio = devicePixelRatioF();
    const int slack = std::floor(ratio) == ratio ? 0 : 2;
    const QSize room(available.width() - frame.left() - frame.right() - slack,
                     available.height() - frame.top() - frame.bottom() - menu - slack);
    const QSize client =
        FormFit::largestWithin(view_->sizeHint(), room).expandedTo(view_->minimumSize());
    resize(client.width(), client.height() + menu);
    // The frame's corner, so the frame too lies inside the area.
    const QSize outer = size().grownBy(frame);
    move(available.left() + (available.width() - outer.width()) / 2,
         available.top() + (available.height() - outer.height()) / 2);
}

// Once the window manager has framed the window: fitted again, once, to the
// real frame if the window runs off the area or shows the form scaled down
// (the stand-in may have been too large).
void FormWindow::refitToRealFrame() {
    if (openedIn_.isNull()) {
        return;
    }
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    if (outer == inner) {
        return;  // not framed yet
    }
    const QRect available = std::exchange(openedIn_, QRect());
    if (!available.contains(outer) || view_->size() != view_->sizeHint()) {
        fitInto(available,
                QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom()));
    }
}

bool FormWindow::event(QEvent* event) {
    if (event->type() == QEvent::Move) {
        refitToRealFrame();  // a window manager moves the window as it frames it
    }
    if (event->type() == QEvent::WindowBlocked) {
        view_->pointerBlocked();
    } else if (event->type() == QEvent::WindowUnblocked) {
        view_->pointerUnblocked();
    }
    return QMainWindow::event(event);
}

// Items with children become submenus, the others commands that the form
// handles by name. Captions are kept as they are: an ampersand marks the
// access key, and there are no shortcuts or check marks.
void FormWindow::addMenuItems(QMenu* menu, const std::vector<MenuItem>& items) {
    for (const MenuItem& item : items) {
        const QString caption = QString::fromStdString(item.Caption);
        if (!item.Items.empty()) {
            QMenu* submenu = menu->addMenu(caption);
            submenu->setObjectName(QString::fromStdString(item.Name));
            submenu->installEventFilter(letterKeys_);
            addMenuItems(submenu, item.Items);
            continue;
        }
        QAction* action = menu->addAction(caption);
        action->setObjectName(QString::fromStdString(item.Name));
        action->setMenuRole(QAction::NoRole);
        connect(action, &QAction::triggered, this, [this, name = item.Name] {
            form_.menuClick(name);
            view_->refresh();
        });
    }
}

}  // namespace vorl
