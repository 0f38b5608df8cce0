// SPDX-License-Identifier: MIT
#include "qt/form_window.h"

#include <QAction>
#include <QEvent>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QString>
#include <string>

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
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

bool FormWindow::event(QEvent* event) {
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
