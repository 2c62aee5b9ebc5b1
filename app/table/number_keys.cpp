// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/table/number_keys.hpp"

#include <QEvent>
#include <QKeyEvent>

#include "game/roulette.hpp"

namespace quorvel {

NumberKeys::NumberKeys(QObject* parent) : QObject(parent) {}

void NumberKeys::clear() {
    set_typed(QString());
}

void NumberKeys::set_typed(const QString& typed) {
    if (typed == typed_) return;
    typed_ = typed;
    emit typedChanged(typed_);
}

// "7" and "07" are seven; "00" is the double zero, which this wheel has not.
void NumberKeys::give(QString digits) {
    clear();
    const int number = digits.toInt();
    if (number >= kNumberCount || digits == QLatin1String("00")) {
        emit refused(digits);
        return;
    }
    emit numberTyped(number);
}

bool NumberKeys::press(const QKeyEvent& key) {
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const int code = key.key();
    if (code >= Qt::Key_0 && code <= Qt::Key_9) {
        const QString digits = typed_ + QChar(u'0' + (code - Qt::Key_0));
        if (digits.size() == 2) {
            give(digits);
        } else {
            set_typed(digits);
        }
        return true;
    }
    switch (code) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!typed_.isEmpty()) give(typed_);
            return true;
        case Qt::Key_Escape:
            clear();
            return true;
        case Qt::Key_Backspace:
            set_typed(typed_.left(typed_.size() - 1));
            return true;
        default:
            return false;
    }
}

bool NumberKeys::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
            press(*static_cast<QKeyEvent*>(event));
            return true;
        // Digits typed are for the table only while the keys are: a field
        // clicked meanwhile must not send them in with its own Enter.
        case QEvent::FocusOut:
            clear();
            return QObject::eventFilter(watched, event);
        case QEvent::KeyRelease:
        case QEvent::InputMethod:
        // Not taken by the field (paste, its own undo and redo): the window's
        // shortcut of that key runs, or nothing does.
        case QEvent::ShortcutOverride:
            return true;
        default:
            return QObject::eventFilter(watched, event);
    }
}

}  // namespace quorvel
