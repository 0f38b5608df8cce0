// SPDX-License-Identifier: MIT
#include "qt/menu_letter_keys.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <vector>

namespace vorl {
namespace {

bool choosable(const QAction* action) {
    return action->isVisible() && action->isEnabled() && !action->isSeparator();
}

QChar firstLetter(const QString& caption) {
    return caption.isEmpty() ? QChar() : caption.front().toUpper();
}

}  // namespace

bool MenuLetterKeys::eventFilter(QObject* watched, QEvent* event) {
    auto* menu = qobject_cast<QMenu*>(watched);
    if (menu == nullptr || event->type() != QEvent::KeyPress) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers mods = key->modifiers() & ~(Qt::ShiftModifier | Qt::AltModifier);
    if (mods != Qt::NoModifier || key->text().size() != 1 ||
        !key->text().front().isLetterOrNumber()) {
        return false;
    }
    const QChar letter = key->text().front().toUpper();
    std::vector<QAction*> matches;
    for (QAction* action : menu->actions()) {
        if (!choosable(action)) {
            continue;
        }
        if (const QKeySequence mnemonic = QKeySequence::mnemonic(action->text());
            !mnemonic.isEmpty()) {
            if (QChar(mnemonic[0].key()).toUpper() == letter) {
                return false;  // a marked access key: Qt's own handling
            }
            continue;
        }
        if (firstLetter(action->text()) == letter) {
            matches.push_back(action);
        }
    }
    if (matches.empty()) {
        return false;
    }
    if (matches.size() == 1) {
        // Choose it as Enter would: a submenu opens, a command runs.
        menu->setActiveAction(matches.front());
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(menu, &enter);
        return true;
    }
    auto next = matches.begin();
    for (auto it = matches.begin(); it != matches.end(); ++it) {
        if (*it == menu->activeAction()) {
            next = (it + 1 == matches.end()) ? matches.begin() : it + 1;
        }
    }
    menu->setActiveAction(*next);
    return true;
}

}  // namespace vorl
