// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/table/window_menu.hpp"

#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QShortcut>
#include <QWidget>

namespace quorvel {

namespace {

const QKeySequence kSaveKey(Qt::CTRL | Qt::Key_S);
const QKeySequence kUndoKey(Qt::CTRL | Qt::Key_Z);
const QKeySequence kLoadKey(Qt::CTRL | Qt::Key_O);
const QKeySequence kLabKey(Qt::CTRL | Qt::Key_L);
const QKeySequence kSaveSessionKey(Qt::CTRL | Qt::SHIFT | Qt::Key_S);
const QKeySequence kOpenSessionKey(Qt::CTRL | Qt::SHIFT | Qt::Key_O);
const QKeySequence kNewSessionKey(Qt::CTRL | Qt::Key_N);
const QKeySequence kSessionsKey(Qt::CTRL | Qt::Key_H);
const QKeySequence kTableRulesKey(Qt::CTRL | Qt::Key_T);
const QKeySequence kHelpKey(Qt::Key_F1);

// Lets the window's undo key through a number field that would take it as its
// own text undo.
class UndoKeyPassage : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride &&
            static_cast<QKeyEvent*>(event)->keyCombination() == kUndoKey[0]) {
            return true;  // not taken: the window's shortcut runs
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

WindowMenu::WindowMenu(QWidget* window, QWidget* focus_sink) : QObject(window), window_(window) {
    const auto add_key = [this](const QKeySequence& key, void (WindowMenu::*command)()) {
        auto* shortcut = new QShortcut(key, window_);
        connect(shortcut, &QShortcut::activated, this, command);
    };
    add_key(kSaveKey, &WindowMenu::saveRequested);
    add_key(kUndoKey, &WindowMenu::undoRequested);
    add_key(kLoadKey, &WindowMenu::loadRequested);
    add_key(kLabKey, &WindowMenu::labRequested);
    add_key(kSaveSessionKey, &WindowMenu::saveSessionRequested);
    add_key(kOpenSessionKey, &WindowMenu::openSessionRequested);
    add_key(kNewSessionKey, &WindowMenu::newSessionRequested);
    add_key(kSessionsKey, &WindowMenu::sessionsRequested);
    add_key(kTableRulesKey, &WindowMenu::tableRulesRequested);
    add_key(kHelpKey, &WindowMenu::helpRequested);
    // The focus sink is a number field: left alone it would take Ctrl+Z as
    // its own text undo, change its value and so reset the bet.
    focus_sink->installEventFilter(new UndoKeyPassage(focus_sink));
}

void WindowMenu::exec(const QPoint& global_position, bool undo_offered, bool session_ended) {
    QMenu menu(window_);
    menu.setObjectName(QStringLiteral("TableMenu"));
    QAction* load = menu.addAction(QStringLiteral("Load spins…"), this, &WindowMenu::loadRequested);
    load->setShortcut(kLoadKey);
    QAction* lab = menu.addAction(QStringLiteral("Lab…"), this, &WindowMenu::labRequested);
    lab->setShortcut(kLabKey);
    menu.addSeparator();
    menu.addAction(QStringLiteral("Sessions…"), this, &WindowMenu::sessionsRequested)
        ->setShortcut(kSessionsKey);
    QAction* open_session =
        menu.addAction(QStringLiteral("Open session…"), this, &WindowMenu::openSessionRequested);
    open_session->setShortcut(kOpenSessionKey);
    QAction* save_session =
        menu.addAction(QStringLiteral("Save session…"), this, &WindowMenu::saveSessionRequested);
    save_session->setShortcut(kSaveSessionKey);
    menu.addSeparator();
    QAction* save =
        menu.addAction(QStringLiteral("Save the numbers…"), this, &WindowMenu::saveRequested);
    save->setShortcut(kSaveKey);
    QAction* undo = menu.addAction(QStringLiteral("Undo"), this, &WindowMenu::undoRequested);
    undo->setShortcut(kUndoKey);
    undo->setEnabled(undo_offered);
    menu.addSeparator();
    menu.addAction(QStringLiteral("Table rules…"), this, &WindowMenu::tableRulesRequested)
        ->setShortcut(kTableRulesKey);
    QAction* play_on = menu.addAction(QStringLiteral("Play on"), this, &WindowMenu::playOnRequested);
    play_on->setEnabled(session_ended);
    menu.addSeparator();
    menu.addAction(QStringLiteral("Help"), this, &WindowMenu::helpRequested)->setShortcut(kHelpKey);
    menu.addAction(QStringLiteral("About Quorvel"), this, &WindowMenu::aboutRequested);
    menu.exec(global_position);
}

}  // namespace quorvel
